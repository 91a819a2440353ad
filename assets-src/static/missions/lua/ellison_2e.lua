-- Ellison 2e: the final at the Halden's ring station. The guard buoys challenge the Ruri; a
-- good answer (the leader's word, the Meridian's codes or the Tamsin's log) wakes the station's
-- watch, a wrong one draws fire on shields and hull. Aboard, the team either wakes the Halden's
-- people and is welcomed, or repairs their failing cryonics bay and wakes both arks.

-- The passengers other missions put in the Ruri's bay wake with everyone else.
local function passengers()
  if msnMgr:hasQuestItem("meridian_passengers") then
    say("Captain Oduya's pod opens with the first forty. She asks where we are, hears the answer, and goes to wake her own people herself.")
  end
  if msnMgr:hasQuestItem("tamsin_sleeper") then
    say("The sleeper from the Tamsin wakes on the sixth day, properly this time. She asks whether they got there. Somebody tells her yes.")
  end
end

-- One volley from the guard buoys: the shields take what they can, the hull the rest.
-- Returns false when the hull is gone and the run has ended.
local volleys = 0
local function volley()
  local damage = msnMgr:getDiffScale(20, 30, 40)
  local shields = ship:getShields()
  local absorbed = math.min(math.max(shields, 0), damage)
  volleys = volleys + 1
  if volleys == 1 then
    say(red("The buoys open fire.") .. " Six tracks of light converge on the Ruri's bow.")
  elseif volleys == 2 then
    say(red("A second volley,") .. " closer and better aimed. The buoys have had time to learn my shape.")
  else
    say(red("A third volley,") .. " at close range. I feel it along the whole spine.")
  end
  if absorbed > 0 then
    ship:adjustShields(-absorbed)
  end
  local through = damage - absorbed
  if through > 0 then
    ship:adjustHealth(-through)
  end
  local report
  if through == 0 then
    report = "The shields take all of it."
  elseif absorbed == 0 then
    report = "There are no shields left to take it. The hull takes " .. through .. "."
  else
    report = "The shields take " .. absorbed .. " and the hull the other " .. through .. "."
  end
  say(report .. " " .. amber("Shields " .. ship:getShields() .. ", hull " .. ship:getHealth() .. "%") .. ".")
  if ship:getHealth() <= 0 then
    say(red("The hull opens along the spine.") .. " Sanctuary's lights are the last thing my cameras see. They stay on.")
    msnMgr:setEndScreen("ending_destroyed.png")
    msnMgr:endGame(false)
    return false
  end
  return true
end

local lead = charMgr:getLead()
local eng = charMgr:getEng()
local med = charMgr:getMed()
local dorov = charMgr:getCrewByName("Dorov Zivuv")

msnMgr:addHeader("ELLISON 2E — THE GUARD BUOYS")
say("Ellison 2e is a cold blue world with ice reaching halfway to its equator. Above it turns a ring station, three kilometres across, every window lit. The beacon comes from its hub. The name painted on the spindle is " .. amber("SANCTUARY") .. ".")
say("Six guard buoys hang across the approach, old Programme hulls with new paint. They lock on to the Ruri at forty thousand kilometres.")
say("The challenge comes on the Programme's band, a flat machine voice: \"IDENTIFY. ARK AND CODE. THIRTY SECONDS.\"")
gap()

local needWord = msnMgr:getDiffScale(5, 6, 7)
local leadWord = charMgr:getCharAttr(lead, "social")
local verified = false
local set = choiceSetsOffered
local answer = ask({
  "Let the leader answer the challenge",
  { "[Meridian codes] Send the Meridian's codes", locked = not msnMgr:hasQuestItem("meridian_friends") },
  { "[Tamsin log] Send the Tamsin's flight log", locked = not msnMgr:hasQuestItem("tamsin_log") },
  "Fly in without answering",
})
while true do
  if answer == nil then return end
  if answer == 1 then
    say(crewName(lead) .. " takes the channel and tells the buoys who we are: the Ruri, last of the Vesperine flight, 2,140 asleep, looking for the Halden.")
    if leadWord >= needWord then
      say("A pause. Then the flat voice again: \"RURI. LISTED. WELCOME.\" The buoys turn their noses away.")
      verified = true
      break
    end
    say("The words are right and the code is not. The voice counts down from ten.")
    if not volley() then return end
    gap()
    say("The buoys hold fire and repeat the challenge.")
    local again = choiceSetsOffered
    answer = askAgain(set)
    set = again
  elseif answer == 2 then
    say("I send the recognition codes Captain Oduya gave us at the Narrows. The Meridian was listed with the Halden; we ride on its name.")
    say("\"MERIDIAN. LISTED. WELCOME.\" The buoys turn away.")
    verified = true
    break
  elseif answer == 3 then
    say("I send the Tamsin's last flight log, recorder serial and all. The buoys read it for eleven seconds.")
    say("\"TAMSIN. LISTED. LOST. YOU CARRY ITS LOG. WELCOME.\" The buoys turn away.")
    verified = true
    break
  else
    say("I say nothing and push the engines. Their fire control is forty years old; it will not track me for long.")
    if not volley() then return end
    if not volley() then return end
    say("Then I am inside their arc and they cannot turn fast enough. The buoys fall silent behind us.")
    break
  end
end
gap()

msnMgr:addHeader("ELLISON 2E — SANCTUARY")
if verified then
  say("A human voice comes on the channel, rough with disuse. \"Ruri, this is Sanctuary watch. The station woke us when you answered. Dock at the hub. We will meet you.\"")
  say("The clamps take the Ruri gently. Fourteen people are waiting at the lock in Halden coveralls, thin, blinking at our lamps. The youngest was born here.")
  say("Their watch officer tells it plainly. The Halden arrived twenty-two years ago and built the ring. Eight years ago half the cryonics bay failed. The watch went under to save food and left the station's mind one order: keep the lights on, so the others can find us.")
  if msnMgr:hasQuestItem("meridian_blood") then
    say("The watch officer asks whether we came by the Narrows, and whether Captain Oduya is well. " .. crewName(lead) .. " answers the first question and not the second. The officer notices.")
  end
else
  say("I hail Sanctuary on every band. Nobody answers. The docking clamps take the Ruri on their own, the way a machine does.")
  say("Inside, every corridor is lit and warm and empty. The team walks through the ring for an hour and meets no one. A recorded voice repeats in each section: \"Keep the lights on. They will come.\"")
  say("In the hub the team finds the Halden's watch: fourteen pods on the emergency circuit, healthy, set to wake for a listed ark. Nobody listed us. Beyond them, the main cryonics bay. Half of it is dark.")
end
if dorov >= 0 then
  gap()
  if verified then
    say(crewName(dorov) .. " walks along the line of the watch, reading name tapes, and stops at the ninth: Zivuv, M. The woman wearing it looks at " .. them(dorov) .. " for a long moment, then at the photograph held out to her.")
  else
    say(crewName(dorov) .. " reads the watch roster taped to the pods and stops at the ninth line: Zivuv, M. " .. crewName(dorov) .. " puts a glove flat on that pod's glass and stays there.")
  end
end
gap()

msnMgr:addHeader("ELLISON 2E — THE CRYONICS BAY")
say("The failing half of the bay holds the Halden's sleepers who are still alive: " .. amber("1,106") .. " pods, coolant at eleven percent and falling. The station's mind has kept them cold with its last reserve. It will last months, not years.")
local speaker = charMgr:crewIsAlive(lead) and lead or anyoneAlive()

local hasCoolant = msnMgr:hasQuestItem("tamsin_coolant")
local needFix = msnMgr:getDiffScale(5, 6, 7)
local fixer = charMgr:crewIsAlive(eng) and eng or charMgr:crewWithMost("mental")
local fixSkill = charMgr:getCharAttr(fixer, "mental")
local fixLabel
if hasCoolant then
  fixLabel = "[Tamsin coolant] Refill the bay with the Tamsin's coolant"
else
  fixLabel = "[Mental " .. needFix .. "] Rebuild the bay's cooling loop"
end
local stay = ask({
  verified and "Accept the berth Sanctuary offers" or "Wake the Halden's watch",
  { fixLabel, locked = not hasCoolant and fixSkill < needFix },
})
if stay == nil then return end

if stay == 1 then
  if not verified then
    local waker = charMgr:crewIsAlive(med) and med or speaker
    say(crewName(waker) .. " runs the wake cycle on the watch's pods by hand, one at a time, checking each heart before starting the next. Fourteen people sit up, cold and confused, and listen while " .. crewName(speaker) .. " explains who we are.")
  end
  say("The watch gives the Ruri the berth at the hub. Their officer takes a lit lantern down from the dock window and gives it to " .. crewName(speaker) .. ". \"We kept them lit so you could find us. You found us.\"")
  if alive(speaker) then charMgr:giveMemento(speaker, "sanctuary_lantern") end
  say("I wake the Ruri's sleepers into the ring, " .. amber("2,140") .. " of them, forty at a time. The Halden's people carry blankets down every corridor.")
  passengers()
  say("The failing half of the bay is still failing. With the Ruri's waking crew and the watch working together, the watch officer thinks it can be held until spring. Nobody leaves it to the station's mind alone again.")
  say("The station's mind and I compare logs. It has been waiting longer than I have. I tell it that it can stop now.")
  msnMgr:checkEveryoneLives()
  luaMgr:unlockAchievement("victory_ellison1")
  msnMgr:setEndScreen("ending_sanctuary.png")
  msnMgr:endGame(true)
else
  if hasCoolant then
    say("The Tamsin's coolant was meant for a bay that never reached here. " .. crewName(fixer) .. " pumps it into the Halden's loop, tank by tank. The dark half of the bay goes from eleven percent to ninety-four.")
  else
    say(crewName(fixer) .. " traces the bay's cooling loop to a cracked heat exchanger and rebuilds it from parts cut out of the Ruri's own spares. It takes nine days. The dark half of the bay comes back on, row by row.")
  end
  if verified then
    say("The watch works beside the team the whole time. Nobody talks much. Everybody checks the gauges.")
  else
    say("When the bay is safe, the team wakes the watch. Fourteen people come to in a ring that is still lit, and find strangers mending it.")
  end
  say("Then I wake both arks. The Halden's " .. amber("1,106") .. " and the Ruri's " .. amber("2,140") .. ", forty at a time, into a station whose every window has been lit for eight years.")
  passengers()
  if alive(fixer) then charMgr:giveMemento(fixer, "halden_roster") end
  say(crewName(fixer) .. " keeps the Halden's sleeper roster on a clipboard and ticks each name as its pod opens. The last tick is on the ninety-first day.")
  msnMgr:checkEveryoneLives()
  luaMgr:unlockAchievement("victory_ellison2")
  msnMgr:setEndScreen("ending_lamplighters.png")
  msnMgr:endGame(true)
end
