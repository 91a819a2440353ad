#include "world/FogShader.hpp"

#include "core/Logger.hpp"

FogShader::FogShader(const std::string& assetsRoot, bool allowed)
{
    if (!sf::Shader::isAvailable()) {
        QV_LOG << "Shader Error: Shaders are not supported!" << std::endl;
        QV_LOG << "Shader Warning: Is not using ShaderFOW" << std::endl;
        return;
    }
    if (!allowed) {
        QV_LOG << "Shader Warning: Is not using ShaderFOW" << std::endl;
        return;
    }
    if (!shader_.loadFromFile(assetsRoot + "FOW/fowShader.vert", assetsRoot + "FOW/fowShader.frag"))
        return;
    ready_ = true;
    bindMask(edgeMask_, assetsRoot + "FOW/EdgeMask.png", "EdgeMask", "Shader Error: EdgeMaskTexture failed to load");
    bindMask(unexplored_, assetsRoot + "FOW/Unexplored.png", "Unexplored",
             "Shader Error: UnexploredTexture failed to load");
}

void FogShader::bindMask(sf::Texture& texture, const std::string& path, const char* uniform, const char* failure)
{
    if (!texture.loadFromFile(path)) {
        QV_LOG << failure << std::endl;
        return;
    }
    texture.setRepeated(true);
    texture.setSmooth(false);
    shader_.setUniform(uniform, texture);
}
