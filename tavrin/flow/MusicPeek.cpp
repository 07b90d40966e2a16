#include "tavrin/flow/MusicPeek.h"

#include <tinyxml2.h>

#include <cstring>

namespace Tavrin::Flow {

std::string peekMusicPath(const std::string& flowFile, std::string dataFolder)
{
    tinyxml2::XMLDocument document(true, tinyxml2::COLLAPSE_WHITESPACE);
    if (document.LoadFile(flowFile.c_str()) != tinyxml2::XML_SUCCESS)
        return {};
    const tinyxml2::XMLElement* flow = document.RootElement();
    if (!flow || std::strcmp(flow->Name(), "flow") != 0)
        return {};
    std::string music;
    for (const tinyxml2::XMLElement* demo = flow->FirstChildElement("demo"); demo;
         demo = demo->NextSiblingElement("demo")) {
        for (const tinyxml2::XMLElement* setting = demo->FirstChildElement(); setting;
             setting = setting->NextSiblingElement()) {
            const char* text = setting->GetText();
            if (!text)
                continue;
            if (std::strcmp(setting->Name(), "data_folder") == 0)
                dataFolder = text;
            else if (std::strcmp(setting->Name(), "music") == 0)
                music = text;
        }
    }
    return music.empty() ? std::string() : dataFolder + music;
}

}
