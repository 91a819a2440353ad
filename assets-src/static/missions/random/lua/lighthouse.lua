-- The Lighthouse: a neutron star sweeping the sector. Timing its pulses gives the Ruri a
-- navigation fix anyone can take; tuning the shields to its field needs the engineer's head
-- (or the team's best mind), and a botched tuning burns shield strength instead of adding it. Both can be tried in one
-- visit; it does not come back.

local eng = charMgr:getEng()

msnMgr:addHeader("THE LIGHTHOUSE — OUTER ORBIT")
msnMgr:addMessage("The star is twenty kilometres across and heavier than the Sun. It turns thirty times a second. Once per turn its beam crosses the Ruri, and the radiation counters click like rain on a roof.")
msnMgr:addMessage("It died a long time ago. It has not noticed.")
msnMgr:addMessage(" ")

local timed = false

local function timePulses()
  timed = true
  msnMgr:addMessage("The array counts pulses for six hours. They arrive with an accuracy my own clock cannot match: a dead star keeping better time than I do.")
  msnMgr:addMessage("Every pulsar has its own rhythm. With this one fixed, I know where we are to within a few thousand kilometres, anywhere in the sector.")
  local maker = charMgr:crewWithMost("mental")
  if not charMgr:hasMemento(maker, "pulsar_clock") then
    charMgr:giveMemento(maker, "pulsar_clock")
    msnMgr:addMessage(crewName(maker) .. " builds a little clock from a spare receiver that ticks with the beam. It sits on the galley shelf now, right to the microsecond.")
  end
  local distracted = charMgr:getCrewTraits("Distracted")
  if distracted ~= -1 then
    msnMgr:addMessage(crewName(distracted) .. " counted the first four hundred pulses by hand before anyone noticed, and was a little hurt to learn the array had been counting too.")
  end
  ship:adjustSensors(0.5, "Navigation fix on the Lighthouse")
  msnMgr:addQuestItem("argon_neutronstar_research_0")
  msnMgr:addMessage(amber("Sensors +0.5") .. ".")
end

local function tuneShields()
  local tuner, able = handsFor(msnMgr:getDiffScale(5, 6, 7))
  if tuner ~= eng then
    msnMgr:addMessage(crewName(eng) .. " looks at the emitter schematics for a long minute and hands them to " .. crewName(tuner) .. ".")
  end
  msnMgr:addMessage(crewName(tuner) .. " opens the shield emitters' housings and sets them to ring in step with the star's field, so the beam slides off instead of pushing through.")
  if able then
    msnMgr:addMessage("It takes three tries and a great deal of muttering. On the fourth sweep the counters go quiet. The shields have never held this well.")
    ship:adjustShields(15)
    msnMgr:addQuestItem("argon_neutronstar_research_1")
    msnMgr:addMessage("Shields " .. amber("+15") .. ".")
  else
    msnMgr:addMessage("The harmonics come out almost right. " .. red("Almost right is a feedback howl") .. " through every emitter. I cut the power before they melt.")
    ship:adjustShields(-10)
    msnMgr:addMessage("Shields " .. amber("-10") .. ". " .. crewName(tuner) .. " closes the housings and does not want to talk about it.")
  end
end

local picked = ask({ "Time the pulses for a navigation fix", "Tune the shield harmonics to the field", "Keep clear of the beam and move on" })
if picked == nil then return end

if picked == 1 then
  timePulses()
elseif picked == 2 then
  tuneShields()
else
  msnMgr:addMessage("I log its period and position for the charts and keep the Ruri out of the plane of the beam. The counters go back to sleep.")
end

if picked ~= 3 then
  msnMgr:addMessage(" ")
  local other = timed and "Tune the shield harmonics to the field" or "Time the pulses for a navigation fix"
  local more = ask({ other, "Move on" })
  if more == nil then return end
  if more == 1 then
    if timed then tuneShields() else timePulses() end
  end
end

msnMgr:addMessage("We leave the Lighthouse behind. Its beam keeps sweeping over the place where we were, thirty times a second, for nobody.")
msnMgr:endMission(true)
