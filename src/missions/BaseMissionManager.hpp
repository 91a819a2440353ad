#pragma once

#include "missions/MissionChoiceSet.hpp"

#include <json/value.h>

#include <cstdint>
#include <string>
#include <vector>

// The operations of the mission manager that mission scripts reach through the Lua
// bindings: the run's difficulty and random numbers, quest items, the messages and choice
// sets of the mission being played, its end, and the saved mission state.
class BaseMissionManager {
public:
    virtual ~BaseMissionManager() = default;

    // "Easy", "Medium" or "Hard".
    virtual std::string getDifficulty() = 0;
    // The argument that matches the run's difficulty.
    virtual std::int32_t getDiffScale(std::int32_t easy, std::int32_t medium, std::int32_t hard) = 0;
    virtual void addQuestItem(const std::string& item) = 0;
    virtual void removeQuestItem(const std::string& item) = 0;
    virtual bool hasQuestItem(const std::string& item) = 0;
    virtual void queueMessage(const std::string& text, bool isHeader) = 0;
    virtual void addMessage(const std::string& text) = 0;
    virtual void addHeader(const std::string& text) = 0;
    virtual std::int32_t getChoiceResponse(std::int32_t set) = 0;
    virtual void buildChoice(const std::string& text) = 0;
    virtual void buildLockedChoice(const std::string& text) = 0;
    virtual void finalizeChoice() = 0;
    virtual void rechoice(std::int32_t set) = 0;
    virtual void postChoiceSet(std::vector<MissionChoice> choices) = 0;
    virtual bool getDeployStatus() = 0;
    virtual void resetForMission() = 0;
    virtual std::int32_t pickRandomMission() = 0;
    virtual std::int32_t nextStoryOrder() = 0;
    virtual void endMission(bool success) = 0;
    virtual void setEndScreen(const std::string& name) = 0;
    virtual void endGame(bool won) = 0;
    virtual void reseedRandom() = 0;
    virtual std::int32_t random() = 0;
    virtual Json::Value saveMissions() = 0;
    virtual void loadMissions(const Json::Value& object) = 0;
};
