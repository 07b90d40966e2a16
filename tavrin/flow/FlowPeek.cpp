#include "tavrin/flow/FlowPeek.h"

#include <tinyxml2.h>

#include <cstdlib>
#include <cstring>

namespace Tavrin::Flow {

PeekedSettings peekFlowSettings(const std::string& flowFile, std::string dataFolder)
{
    PeekedSettings settings{std::move(dataFolder), {}, {}};
    tinyxml2::XMLDocument document(true, tinyxml2::COLLAPSE_WHITESPACE);
    if (document.LoadFile(flowFile.c_str()) != tinyxml2::XML_SUCCESS)
        return settings;
    const tinyxml2::XMLElement* flow = document.RootElement();
    if (!flow || std::strcmp(flow->Name(), "flow") != 0)
        return settings;
    std::string music;
    for (const tinyxml2::XMLElement* demo = flow->FirstChildElement("demo"); demo;
         demo = demo->NextSiblingElement("demo")) {
        for (const tinyxml2::XMLElement* setting = demo->FirstChildElement(); setting;
             setting = setting->NextSiblingElement()) {
            const char* text = setting->GetText();
            if (!text)
                continue;
            if (std::strcmp(setting->Name(), "data_folder") == 0)
                settings.dataFolder = text;
            else if (std::strcmp(setting->Name(), "music") == 0)
                music = text;
            else if (std::strcmp(setting->Name(), "bpm") == 0)
                settings.bpm = std::strtof(text, nullptr);
        }
    }
    if (!music.empty())
        settings.musicPath = settings.dataFolder + music;
    return settings;
}

}
