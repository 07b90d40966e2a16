#include "tavrin/loading/LoadingScreen.h"

#include "orvane/Device.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "tavrin/Demo.h"
#include "tavrin/audio/HeardPosition.h"

namespace Tavrin::Loading {

void LoadingScreen::show(float progress)
{
    std::int64_t startNs = Audio::steadyNowNs();
    Orvane::State::setViewport(0, demo_.viewportY, demo_.width, demo_.viewportHeight);
    Orvane::State::resetMatrices();

    Orvane::Shader& picture = *demo_.loadShader("tavrin/texture_color.cg");
    picture.bind();
    picture.updateState();
    picture.getParameter("texture").setTexture(*demo_.loadTexture("tavrin/loading.jpg"));
    const float white[4] = {1, 1, 1, 1};
    picture.getParameter("color").setFloat4(white);
    demo_.drawQuad(-1, -1, 2, 2, 0, 0, 1, 1);

    Orvane::Shader& bar = *demo_.loadShader("tavrin/constant_color.cg");
    bar.bind();
    bar.updateState();
    const float red[4] = {1, 0, 0, 1};
    bar.getParameter("color").setFloat4(red);
    demo_.drawQuad(-0.931f, -0.953f, progress * 1.846f / 100.0f, 0.13f, 0, 0, 1, 1);

    if (!Orvane::Device::current()->present())
        quitRequested_ = true;
    pacer_.presented(startNs, Audio::steadyNowNs());
}

void LoadingScreen::report(float progress)
{
    if (pacer_.due(Audio::steadyNowNs())) {
        show(progress);
        return;
    }
    // Events are still taken one per report, so a close request is seen as soon as before.
    if (!Orvane::Device::current()->handleEvent())
        quitRequested_ = true;
}

}
