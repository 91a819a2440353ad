#include "common/Generator.hpp"

namespace gen {

void Context::save(const Canvas& canvas, const std::string& relativePath)
{
    canvas.save(assetsDir + "/" + relativePath);
    ++written;
}

} // namespace gen
