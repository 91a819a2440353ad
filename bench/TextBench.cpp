// Throughput of the word wrap and the colour-markup parse on a typical mission paragraph
// (about 400 characters with three coloured names). Fonts need a display: run under
// xvfb-run, or the benchmark starts its own Xvfb.

#include "core/TextFunctions.hpp"
#include "support/QuietUiHost.hpp"
#include "support/XDisplay.hpp"
#include "ui/ColorMarkup.hpp"
#include "ui/RichText.hpp"
#include "ui/TextManager.hpp"
#include "ui/UiHost.hpp"

#include <SFML/Graphics/Font.hpp>

#include <benchmark/benchmark.h>

namespace {

const std::string paragraph =
    "The shuttle settles on the ice shelf with a groan of cooling metal. <c=214,88,72>Rhea Okonkwo</c> "
    "checks the seals twice before she opens the hatch, and the cold rushes in like something alive. "
    "Beyond the ridge, the beacon still pulses its patient signal. <c=96,170,240>Tomas Vale</c> reads "
    "the numbers aloud and frowns: the station should have answered hours ago. <c=230,200,90>Ines</c> "
    "shoulders the medical kit without a word.";

QuietUiHost& host()
{
    ensureDisplay();
    static QuietUiHost instance;
    UiHost::install(&instance);
    return instance;
}

void WrapMissionParagraph(benchmark::State& state)
{
    host();
    TextManager::get().setScale(static_cast<float>(state.range(0)) / 100.f);
    for (auto _ : state)
        benchmark::DoNotOptimize(wrapText(paragraph, 483));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * paragraph.size()));
}
BENCHMARK(WrapMissionParagraph)->Arg(100)->Arg(300);

void ParseMissionParagraph(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(parseColorMarkup(paragraph));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * paragraph.size()));
}
BENCHMARK(ParseMissionParagraph);

void MarkupIntoRichText(benchmark::State& state)
{
    QuietUiHost& h = host();
    const std::string wrapped = wrapText(paragraph, 483);
    for (auto _ : state) {
        sfe::RichText text(h.gameFont());
        text.setCharacterSize(8);
        benchmark::DoNotOptimize(appendColorMarkup(text, wrapped, sf::Color::Green, 0));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * paragraph.size()));
}
BENCHMARK(MarkupIntoRichText);

} // namespace
