#include "missions/MissionBudget.hpp"

#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void overLimit(const char* what, std::size_t limit)
{
    throw std::length_error("mission script went over its limit of " + std::to_string(limit) + " " + what);
}

} // namespace

MissionBudget::MissionBudget()
    : MissionBudget(Limits())
{
}

MissionBudget::MissionBudget(const Limits& limits)
    : limits_(limits)
{
}

void MissionBudget::reset()
{
    messages_ = 0;
    choiceSets_ = 0;
    markers_ = 0;
    textBytes_ = 0;
}

void MissionBudget::chargeText(std::size_t bytes)
{
    if (bytes > limits_.textBytes - textBytes_)
        overLimit("bytes of queued text", limits_.textBytes);
    textBytes_ += bytes;
}

void MissionBudget::chargeMessage(std::size_t bytes)
{
    if (messages_ >= limits_.messages)
        overLimit("messages", limits_.messages);
    if (bytes > limits_.messageBytes)
        overLimit("bytes in one message", limits_.messageBytes);
    chargeText(bytes);
    ++messages_;
}

void MissionBudget::chargeChoice(std::size_t alreadyBuilt, std::size_t bytes)
{
    if (alreadyBuilt >= limits_.choicesPerSet)
        overLimit("choices in one set", limits_.choicesPerSet);
    if (bytes > limits_.messageBytes)
        overLimit("bytes in one choice", limits_.messageBytes);
    chargeText(bytes);
}

void MissionBudget::chargeChoiceSet()
{
    if (choiceSets_ >= limits_.choiceSets)
        overLimit("choice sets", limits_.choiceSets);
    ++choiceSets_;
}

void MissionBudget::chargeQuestItem(std::size_t alreadyHeld, std::size_t bytes)
{
    if (alreadyHeld >= limits_.questItems)
        overLimit("quest items", limits_.questItems);
    if (bytes > limits_.questItemBytes)
        overLimit("bytes in one quest item", limits_.questItemBytes);
    chargeText(bytes);
}

void MissionBudget::chargeMarker(std::size_t bytes)
{
    if (markers_ >= limits_.markers)
        overLimit("map markers", limits_.markers);
    if (bytes > limits_.questItemBytes)
        overLimit("bytes in one marker name", limits_.questItemBytes);
    chargeText(bytes);
    ++markers_;
}
