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
    chargeItem(messages_, limits_.messages, "messages", bytes, limits_.messageBytes, "bytes in one message");
    ++messages_;
}

void MissionBudget::chargeItem(std::size_t count, std::size_t countLimit, const char* items, std::size_t bytes,
                               std::size_t byteLimit, const char* bytesOf)
{
    if (count >= countLimit)
        overLimit(items, countLimit);
    if (bytes > byteLimit)
        overLimit(bytesOf, byteLimit);
    chargeText(bytes);
}

void MissionBudget::chargeChoice(std::size_t alreadyBuilt, std::size_t bytes)
{
    chargeItem(alreadyBuilt, limits_.choicesPerSet, "choices in one set", bytes, limits_.messageBytes,
               "bytes in one choice");
}

void MissionBudget::chargeChoiceSet()
{
    if (choiceSets_ >= limits_.choiceSets)
        overLimit("choice sets", limits_.choiceSets);
    ++choiceSets_;
}

void MissionBudget::chargeQuestItem(std::size_t alreadyHeld, std::size_t bytes)
{
    chargeItem(alreadyHeld, limits_.questItems, "quest items", bytes, limits_.questItemBytes,
               "bytes in one quest item");
}

void MissionBudget::chargeMarker(std::size_t bytes)
{
    chargeItem(markers_, limits_.markers, "map markers", bytes, limits_.questItemBytes, "bytes in one marker name");
    ++markers_;
}
