#include "level/DefaultMaterial.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/scene.h>

#include <fstream>
#include <sstream>

namespace velmora {

namespace {

// '!' sorts before every character a Collada id may start with, so this
// material is number 0 whatever the file's own materials are called. It
// carries the importer's own default name and no opacity.
const char* const kDefaultMaterialLibraries =
    "<library_effects><effect id=\"!default-effect\"><profile_COMMON>"
    "<technique sid=\"common\"><lambert><diffuse><color>0.8 0.8 0.8 1</color></diffuse>"
    "</lambert></technique></profile_COMMON></effect></library_effects>"
    "<library_materials><material id=\"!default-material\" name=\"" AI_DEFAULT_MATERIAL_NAME
    "\"><instance_effect url=\"#!default-effect\"/></material></library_materials>";

// Where the extra libraries go: after the asset block (or the root's start
// tag when there is none); the reader takes libraries in any order and any
// number. npos for a file that isn't Collada.
std::size_t insertionPoint(const std::string& text) {
    const std::size_t assetEnd = text.find("</asset>");
    if (assetEnd != std::string::npos) return assetEnd + std::string("</asset>").size();
    const std::size_t root = text.find("<COLLADA");
    if (root == std::string::npos) return std::string::npos;
    const std::size_t rootEnd = text.find('>', root);
    return rootEnd == std::string::npos ? std::string::npos : rootEnd + 1;
}

}  // namespace

const aiScene* readWithDefaultMaterial(Assimp::Importer& importer, const std::string& fileName,
                                       unsigned flags) {
    std::ifstream file(fileName, std::ios::binary);
    std::ostringstream contents;
    if (file) contents << file.rdbuf();
    std::string text = contents.str();
    const std::size_t at = file ? insertionPoint(text) : std::string::npos;
    if (at == std::string::npos) {
        // Missing, unreadable or another format: the importer's own reading
        // and message.
        return importer.ReadFile(fileName, flags);
    }
    text.insert(at, kDefaultMaterialLibraries);
    return importer.ReadFileFromMemory(text.data(), text.size(), flags, "dae");
}

bool isDefaultMaterial(const aiMaterial& material) {
    aiString name;
    return material.Get(AI_MATKEY_NAME, name) == aiReturn_SUCCESS &&
           std::string(name.C_Str()) == AI_DEFAULT_MATERIAL_NAME;
}

}  // namespace velmora
