// libFuzzer entry for the crew creator's names file, "crew_creator/randomNames.json" (run by
// scripts/fuzz.sh as the target "names"). A player may edit it, so whatever it holds, reading
// must not stop the program, and the names drawn from it afterwards are never empty, never
// longer than the creator allows when they come from the lists, and always come back (the
// generator falls back to made-up words when the lists cannot give a name).

#include "creator/NameGenerator.hpp"
#include "fuzz/FuzzSupport.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = scratchFile(data, size, "randomNames.json");
    NameGenerator names;
    names.loadFile(path);

    std::mt19937 random(static_cast<std::uint32_t>(size));
    for (int pronounPosition = 0; pronounPosition < 3; ++pronounPosition) {
        // Every other full name counts as taken, so the retry path runs too.
        int asked = 0;
        const NameGenerator::Name name =
            names.listName(random, pronounPosition, [&asked](const std::string&) { return ++asked % 2 == 1; });
        if (name.first.empty() || name.last.empty())
            std::abort();
        if (asked > NameGenerator::maxListAttempts)
            std::abort();
        if (asked > 0 && name.first.size() + name.last.size() > NameGenerator::maxLetters)
            std::abort();
    }
    return 0;
}
