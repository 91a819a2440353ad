#pragma once

#include "world/FogOfWar.hpp"

#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <string>

// The fog of war's shader ("FOW/fowShader.vert" and ".frag") with its two masks, the dithered
// edge ("FOW/EdgeMask.png", uniform "EdgeMask") and the unexplored chart ("FOW/Unexplored.png",
// uniform "Unexplored"). Whether it loads decides how the fog is kept (FogOfWar::Mode): a
// machine without shaders, the "--no-shader" switch or shader files that fail to compile give
// the plain black fog. A missing mask is logged and the shader runs without it. Main thread.
class FogShader {
public:
    // `allowed` is false for "--no-shader".
    FogShader(const std::string& assetsRoot, bool allowed);
    FogShader(const FogShader&) = delete;
    FogShader& operator=(const FogShader&) = delete;

    bool ready() const { return ready_; }
    FogOfWar::Mode fogMode() const { return ready_ ? FogOfWar::Mode::Shaded : FogOfWar::Mode::Plain; }
    // The shader to draw the fog with, or nullptr for the plain fog.
    const sf::Shader* shader() const { return ready_ ? &shader_ : nullptr; }

private:
    void bindMask(sf::Texture& texture, const std::string& path, const char* uniform, const char* failure);

    sf::Shader shader_;
    sf::Texture edgeMask_;
    sf::Texture unexplored_;
    bool ready_ = false;
};
