#include "core/XMLSimple.h"

#include <cstdlib>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include "core/FatalError.h"
#include "core/FileManager.h"

// A bool setting reads as a number unless it is exactly "true" or "false".
static int boolNumber(const std::string& text)
{
    if (text == "true")
        return 1;
    if (text == "false")
        return 0;
    return std::atoi(text.c_str());
}

static void checkBool(int value)
{
    ASSERT(value == 0 || value == 1, "Erroneous bool value in xml");
}

static bool isElementNamed(xmlNodePtr node, const char* name)
{
    return node->type == XML_ELEMENT_NODE && xmlStrcmp(node->name, (const xmlChar*)name) == 0;
}

void XMLSimple::load(const std::string& filename)
{
    stringSettings.clear();
    doubleSettings.clear();
    intSettings.clear();
    boolSettings.clear();

    // A folder or an unreadable file counts as missing.
    if (!FileManager::fileExists(filename))
        ASSERT(false, "XMLSimple::XMLSimple : file missing");

    // libxml2 writes what it found wrong to standard error before the report.
    xmlDocPtr doc = xmlParseFile(filename.c_str());
    ASSERT(doc != NULL, "XMLSimple::XMLSimple : could not parse xml file");

    xmlNodePtr root = xmlDocGetRootElement(doc);
    for (xmlNodePtr typeNode = root ? root->children : NULL; typeNode != NULL; typeNode = typeNode->next) {
        bool isString = isElementNamed(typeNode, "string");
        bool isDouble = isElementNamed(typeNode, "double");
        bool isInt = isElementNamed(typeNode, "int");
        bool isBool = isElementNamed(typeNode, "bool");
        if (!isString && !isDouble && !isInt && !isBool)
            continue;
        for (xmlNodePtr setting = typeNode->children; setting != NULL; setting = setting->next) {
            std::string key = (const char*)setting->name;
            xmlChar* content = xmlNodeGetContent(setting);
            std::string value = content ? (const char*)content : "";
            xmlFree(content);
            if (isString)
                stringSettings[key] = value;
            else if (isDouble)
                doubleSettings[key] = std::atof(value.c_str());
            else if (isInt)
                intSettings[key] = std::atoi(value.c_str());
            else {
                int number = boolNumber(value);
                if (number != 0 && number != 1)
                    xmlFreeDoc(doc);  // the report ends the process: leave nothing behind
                checkBool(number);
                boolSettings[key] = number == 1;
            }
        }
    }
    xmlFreeDoc(doc);
}

std::string XMLSimple::getString(std::string key) { return stringSettings[key]; }
double XMLSimple::getDouble(std::string key) { return doubleSettings[key]; }
int XMLSimple::getInt(std::string key) { return intSettings[key]; }
bool XMLSimple::getBool(std::string key) { return boolSettings[key]; }
