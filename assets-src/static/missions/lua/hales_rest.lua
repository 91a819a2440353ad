-- Hale's Rest: the wreck of the ark Tamsin on an ice moon. The team has time for one part of the
-- wreck, or two if it risks the ice between them: the flight recorder, the cryo coolant, or the
-- one pod still drawing power. The walk across the ice can take the weakest climber.

-- The living member best at `attr`, or the preferred one when still alive.
local function bestFor(preferred, attr)
  if preferred >= 0 and charMgr:crewIsAlive(preferred) then return preferred end
  return charMgr:crewWithMost(attr)
end

local function readRecorder()
  msnMgr:addHeader("HALE'S REST — THE STERN")
  local reader = charMgr:crewWithMost("mental")
  say("The stern section lies on its side. The flight recorder is an orange box bolted behind the bridge, frosted white.")
  if charMgr:getCharAttr(reader, "mental") >= msnMgr:getDiffScale(4, 5, 6) then
    say(crewName(reader) .. " warms the recorder's chip against a suit heater and reads it on the spot, line by line, to me.")
  else
    say(crewName(reader) .. " cannot get the chip to wake in the cold, and carries it to the lander inside a glove. I read it there once it thaws.")
  end
  say("Day 3,112: a beacon from " .. amber("Ellison 2e") .. ", identifying as the ark Halden. The Tamsin's captain turns for it. Day 3,390: a coolant leak. Day 3,402: the nearest ice. The log ends with the landing checklist, completed.")
  say("The Tamsin heard the same voice we did. It turned. It never got there.")
  if alive(reader) then charMgr:giveMemento(reader, "recorder_chip") end
  msnMgr:addQuestItem("tamsin_log")
end

local function salvageCoolant()
  msnMgr:addHeader("HALE'S REST — THE BOW")
  local eng = bestFor(charMgr:getEng(), "mental")
  local cutter = charMgr:crewWithMost("physical")
  say("The bow holds the Tamsin's coolant reserve: eight tanks behind a buckled bulkhead.")
  if charMgr:getCharAttr(eng, "mental") >= msnMgr:getDiffScale(4, 5, 6) then
    say(crewName(eng) .. " reads the tank labels, finds the four that never vented, and walks them out on a sled. " .. amber("Four tanks of cryo coolant") .. ".")
  else
    say(crewName(eng) .. " opens the wrong valve first. A jet of coolant freezes the bulkhead solid in a second. The team gets two tanks out before the rest are sealed behind new ice. " .. amber("Two tanks of cryo coolant") .. ".")
  end
  msnMgr:addQuestItem("tamsin_coolant")
  say("On the way out, " .. crewName(cutter) .. " cuts the brass nameplate off the bow with the plasma torch. TAMSIN, in letters as long as a hand. The cut takes ten minutes. Nobody says it is a waste of torch gas.")
  if alive(cutter) then charMgr:giveMemento(cutter, "tamsin_nameplate") end
end

local function openPod()
  msnMgr:addHeader("HALE'S REST — THE CRYONICS BAY")
  local med = bestFor(charMgr:getMed(), "mental")
  say("The bay section holds six hundred pods. Five hundred and ninety-nine are dark. One reads a heartbeat, four a minute, on a battery with three percent left.")
  say(crewName(med) .. " starts the wake cycle. The lid fogs from inside.")
  local skilled = charMgr:getCharAttr(med, "mental") >= msnMgr:getDiffScale(5, 6, 7)
  local lucky = msnMgr:random() % 2 == 0 or charMgr:getCrewTraits("Lucky") >= 0
  if skilled and lucky then
    say("The sleeper opens her eyes, says \"Did we get there?\" and tries to sit up. " .. crewName(med) .. " sees her heart stumble on the monitor and stops the cycle and puts her back under before the cold can finish what it started.")
    say("The team carries the pod to the lander on a sled. I give it a berth in the Ruri's bay, on my own power. " .. amber("One sleeper of the Tamsin aboard") .. ".")
    msnMgr:addQuestItem("tamsin_sleeper")
  else
    say("The sleeper opens her eyes and says one word, \"Aron\", to someone who is not there. Then the monitor goes flat. " .. crewName(med) .. " tries for six minutes anyway.")
  end
  say("In the frost beside the pod is a folded sheet of paper. " .. crewName(med) .. " picks it out. It begins \"In case we wake somewhere.\"")
  if alive(med) then charMgr:giveMemento(med, "frozen_letter") end
end

local tasks = { readRecorder, salvageCoolant, openPod }

msnMgr:addHeader("HALE'S REST — THE ICE FIELD")
say("Hale's Rest is a moon of white ice, minus one hundred and seventy degrees on the day side. The Tamsin lies on it in three pieces across four kilometres: bow, cryonics bay, stern.")
if msnMgr:hasQuestItem("kestrel_charts") then
  say("The Kestrel charts list the Tamsin's flight plan. It should never have come within nine parsecs of this moon.")
end
say("Its sleepers are long dead. My scan finds one exception: a single pod in the bay section, still drawing power.")
say("I put the lander down between the pieces. The ice here moves. The team has time for one part of the wreck before dark, and more only at a risk.")
gap()

local set = choiceSetsOffered
local first = ask({ "Read the flight recorder", "Salvage the cryo coolant", "Open the live pod" })
if first == nil then return end
gap()
tasks[first]()
gap()

say("The ice groans. Light is going. The next section is a kilometre off across a field of new cracks.")
local onward = ask({ "Cross to another section", "Return to the lander" })
if onward == nil then return end

if onward == 1 then
  gap()
  msnMgr:addHeader("HALE'S REST — THE CRACKS")
  local roped = charMgr:getCrewTraits("Cautious")
  if roped >= 0 then
    say(crewName(roped) .. " insists on a rope between every pair of boots before anyone steps off. The ice shifts twice on the way. Nobody goes further than the rope allows.")
  else
    -- Two Competitive crew members turn the crossing into a race, and the ice finds the winner.
    local racers = {}
    for _, i in ipairs(luaMgr:aliveCrewLeft()) do
      if charMgr:getCharTrait(i, "Competitive") then racers[#racers + 1] = i end
    end
    local fallen
    if #racers >= 2 then
      say(crewName(racers[1]) .. " and " .. crewName(racers[2]) .. " make the crossing a race before anyone can stop them. I call out every crack I can see. Nobody slows down.")
      fallen = racers[1 + msnMgr:random() % 2]
    else
      fallen = charMgr:crewWithLeast("physical")
    end
    say("Halfway across, the ice drops a metre with a sound like a gunshot. " .. crewName(fallen) .. " goes in up to the chest and keeps sliding.")
    local helper = -1
    if charMgr:depCrewLeft() > 1 then
      local strong = charMgr:getCrewTraits("Strong")
      if strong >= 0 and strong ~= fallen then helper = strong end
    end
    if charMgr:getCharTrait(fallen, "Lucky") or charMgr:getCharAttr(fallen, "physical") >= msnMgr:getDiffScale(4, 5, 6) then
      say(crewName(fallen) .. " jams an ice axe into the lip and climbs out alone, shaking, one glove torn.")
    elseif helper >= 0 then
      say(crewName(helper) .. " lands flat on the ice, catches " .. crewName(fallen) .. " by the suit harness and hauls. It takes everything. It works.")
    else
      say(red("The crack closes.") .. " The suit beacon reads for four minutes under the ice, then stops. There was nothing the team could reach.")
      msnMgr:killCrew(fallen, "<charName> fell through the ice on Hale's Rest, between the pieces of the Tamsin.")
    end
  end
  gap()
  if not charMgr:crewOnShipLeft() then
    say(red("No one answers the lander's recall. No one is left aboard the Ruri to send it."))
    msnMgr:setEndScreen("ending_silence.png")
    msnMgr:endGame(false)
    return
  end
  if charMgr:depCrewLeft() > 0 then
    local second = askAgain(set)
    if second == nil then return end
    tasks[second]()
    gap()
  end
end

if charMgr:depCrewLeft() == 0 then
  say("The lander waits on the ice with its door open. Nobody comes back to it. I bring it home empty on the autopilot.")
  msnMgr:endMission(true)
  return
end

local last = anyoneAlive()
say("The team climbs into the lander in the dark. " .. crewName(last) .. " looks back once at the wreck through the port. I lift off and do not circle.")
msnMgr:endMission(true)
