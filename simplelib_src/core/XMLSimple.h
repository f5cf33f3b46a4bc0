// XMLSimple: the world's configuration, a flat set of named values of four types.
//
// The file is XML. Under the root element, the elements named "string", "double", "int"
// and "bool" are type elements; every child node of a type element is one setting, keyed
// by its node name, valued by its whole text content (white space kept). Other children
// of the root are ignored. Comments and the text between settings are child nodes too and
// become settings under the names "comment" and "text".
//
// A missing key is never an error: its getter adds it with the zero value of its type.
// A missing file, a file that is not well-formed XML or a bool that is neither "true",
// "false", 0 nor 1 ends in the fatal report.
//
// Depends on: libxml2, core/FatalError.
#pragma once

#include <map>
#include <string>

class XMLSimple {
public:
    // Empties the four tables, then fills them from the file.
    void load(const std::string& filename);

    std::string getString(std::string key);
    double getDouble(std::string key);
    int getInt(std::string key);
    bool getBool(std::string key);

private:
    std::map<std::string, std::string> stringSettings;
    std::map<std::string, double> doubleSettings;
    std::map<std::string, int> intSettings;
    std::map<std::string, bool> boolSettings;
};
