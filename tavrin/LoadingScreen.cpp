#include "tavrin/Demo.h"

#include "orvane/Device.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "tavrin/HeardPosition.h"

namespace Tavrin {

void Demo::loadingScreen(float progress)
{
    std::int64_t startNs = steadyNowNs();
    Orvane::State::setViewport(0, viewportY, width, viewportHeight);
    Orvane::State::resetMatrices();

    Orvane::Shader& picture = *loadShader("tavrin/texture_color.cg");
    picture.bind();
    picture.updateState();
    picture.getParameter("texture").setTexture(*loadTexture("tavrin/loading.jpg"));
    const float white[4] = {1, 1, 1, 1};
    picture.getParameter("color").setFloat4(white);
    drawQuad(-1, -1, 2, 2, 0, 0, 1, 1);

    Orvane::Shader& bar = *loadShader("tavrin/constant_color.cg");
    bar.bind();
    bar.updateState();
    const float red[4] = {1, 0, 0, 1};
    bar.getParameter("color").setFloat4(red);
    drawQuad(-0.931f, -0.953f, progress * 1.846f / 100.0f, 0.13f, 0, 0, 1, 1);

    // A close request while loading is kept for the first frame instead of being lost.
    if (!Orvane::Device::current()->present())
        quitRequested_ = true;
    loadingPacer_.presented(startNs, steadyNowNs());
}

void Demo::flowProgress(float progress)
{
    if (loadingPacer_.due(steadyNowNs())) {
        loadingScreen(progress);
        return;
    }
    // Events are still taken one per report, so a close request is seen as soon as before.
    if (!Orvane::Device::current()->handleEvent())
        quitRequested_ = true;
}

}
