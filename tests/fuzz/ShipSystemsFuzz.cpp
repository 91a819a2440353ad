// libFuzzer entry for "ship_systems/systems.json": whatever the file holds, the window's
// reader gives whole entries only, each with its frames' name and its description.

#include "fuzz/FuzzSupport.hpp"
#include "world/ShipSystemsFile.hpp"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzFolder();
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<ShipSystemsFile::System> systems = ShipSystemsFile::parse(text, "systems.json");
    if (systems.size() > size)
        std::abort(); // every entry took bytes of its own
    const std::string path = scratchFile(data, size, "systems.json");
    if (ShipSystemsFile::read(path).size() != systems.size())
        std::abort(); // the file and its text read alike
    return 0;
}
