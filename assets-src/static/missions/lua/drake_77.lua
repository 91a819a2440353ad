-- Drake 77: the final at the promised world. The Ruri descends through the reef's storm belt
-- (a bad descent can break the hull), then the team chooses the bare northern continent or, with
-- the probe's recording and a swimmer to sing it, a life on the water beside the reef.

-- One line for each living team member as the run ends, from what they carry: the first trait
-- in this list that the member has, or one of the plain lines in turn.
local farewells = {
  { "Kleptomaniac", " has filled every pocket with the shiniest stones in reach, and is humming an old Earth song about home." },
  { "Farmer", " empties every pocket of seed packets onto a rock and sorts them by season." },
  { "Gluttonous", " is already asking what the fish here taste like, and whether anyone has checked." },
  { "Weak", " takes one long breath of unfiltered air, and does not cough." },
  { "Stubborn", " checks the star's position against the old chart and finds it exactly where it should be." },
  { "Scientist", " takes an air sample, reads it twice, and puts the meter away. Clean." },
  { "Surgeon", " takes everybody's pulse, one after another, and writes the numbers down." },
  { "Mechanic", " sits by the Ruri's landing strut, listening to the engines tick as they cool." },
  { "Counselor", " goes down the line of waking sleepers with a blanket and the same three words for each." },
  { "Competitive", " makes sure to be the first to do everything today, and says so." },
  { "Soldier", " counts the team twice, then sits down for the first time in a long while." },
}
local plain = {
  " stands a long time looking up at the sky, saying nothing.",
  " walks out of earshot, and comes back smiling.",
  " picks a flower nobody has a name for yet, and names it.",
}

local function lastLook()
  local next = 1
  for _, i in ipairs(luaMgr:aliveCrewLeft()) do
    local line
    for _, entry in ipairs(farewells) do
      if charMgr:getCharTrait(i, entry[1]) then
        line = entry[2]
        break
      end
    end
    if line == nil then
      line = plain[next]
      next = next % #plain + 1
    end
    say(crewName(i) .. line)
  end
end

-- The passengers other missions put in the Ruri's bay wake with everyone else.
local function passengers()
  if msnMgr:hasQuestItem("meridian_passengers") then
    say("Captain Oduya's pod opens with the first forty. She asks where we are, hears the answer, and goes to wake her own people herself.")
  end
  if msnMgr:hasQuestItem("tamsin_sleeper") then
    say("The sleeper from the Tamsin wakes on the sixth day, properly this time. She asks whether they got there. Somebody tells her yes.")
  end
end

local lead = charMgr:getLead()
local eng = charMgr:getEng()

msnMgr:addHeader("DRAKE 77 — HIGH ORBIT")
say("Drake 77. Green and blue under a white star. Two continents, one large sea, and clouds that move the way clouds did on Earth before the Ashing.")
say("Round the equator runs a belt of storms, four hundred kilometres wide, lit from inside by lightning that never stops. Under it, in the shallows, something glows.")
say("I have flown toward this point for the whole of my life. I check the numbers three times anyway. " .. amber("Hull " .. ship:getHealth() .. "%, shields " .. ship:getShields()) .. ".")
gap()

msnMgr:addHeader("DRAKE 77 — THE STORM BELT")
say("Every descent corridor I can compute crosses the belt somewhere. The lightning is not random: it runs in sheets, like a pulse.")

local needMind = msnMgr:getDiffScale(5, 6, 7)
local engMind = charMgr:getCharAttr(eng, "mental")
local descent = ask({
  { "[Probe core] Fly the probe's old descent path", locked = not msnMgr:hasQuestItem("probe_core") },
  { "[Mental " .. needMind .. "] Tune the hull to shed the lightning", locked = engMind < needMind },
  "Dive straight through the belt",
})
if descent == nil then return end

if descent == 1 then
  say("The probe core from Carrow Deep still holds the Programme's descent plot: a gap between two pulses, every ninety seconds. I wait for it and go through.")
  say("One bolt touches the tail. " .. amber("Hull -5") .. ".")
  ship:adjustHealth(-5)
elseif descent == 2 then
  say(crewName(eng) .. " spends an hour in the hull conduits, turning the Ruri's skin into one long lightning rod that drains to the engine ground.")
  say("The belt hits us eleven times on the way down. Each strike runs along the hull and out through the exhaust. " .. amber("Hull -10") .. ".")
  ship:adjustHealth(-10)
else
  local damage = msnMgr:getDiffScale(20, 30, 40)
  local shielded = ship:getShields() >= 30
  if shielded then
    damage = damage // 2
    say("I put every shield I have forward. They take the first sheet of lightning and fold. " .. amber("Shields -20") .. ".")
    ship:adjustShields(-20)
  end
  say(red("The belt takes us.") .. " The Ruri rolls twice. Panels tear away on the starboard side. " .. amber("Hull -" .. damage) .. ".")
  ship:adjustHealth(-damage)
  if ship:getHealth() <= 0 then
    say(red("The hull fails at eleven kilometres.") .. " I keep the beacon running as long as I have power. I do not know who will hear it.")
    msnMgr:setEndScreen("ending_destroyed.png")
    msnMgr:endGame(false)
    return
  end
  -- Someone was holding the sleepers' pod racks when the ship rolled.
  local holder = charMgr:crewWithLeast("physical")
  say("In the cryonics bay a rack of pods breaks its clamp. " .. crewName(holder) .. " is there, holding it.")
  if charMgr:getCharTrait(holder, "Lucky") or charMgr:getCharAttr(holder, "physical") >= msnMgr:getDiffScale(2, 3, 4) + (shielded and 0 or 2) then
    say(crewName(holder) .. " holds it until the roll ends. Twelve sleepers, none of them harmed. One bruised arm.")
  else
    say(crewName(holder) .. " holds it long enough for the second clamp to catch, and no longer. The rack comes down.")
    msnMgr:killCrew(holder, "<charName> died holding the sleepers' pods in place on the descent to Drake 77.")
  end
end
gap()

if not charMgr:crewOnShipLeft() then
  say(red("I land the Ruri on Drake 77 with nobody awake aboard. The sleepers do not know they have arrived."))
  msnMgr:setEndScreen("ending_silence.png")
  msnMgr:endGame(false)
  return
end

msnMgr:addHeader("DRAKE 77 — THE NORTHERN SHORE")
say("Below the belt the air is still. I set the Ruri down on a shelf of grey rock above a long beach.")
say("Outside: 0.94 atmospheres, 20% oxygen, fourteen degrees, a light wind off the sea. No spores my filters know. The team goes out without helmets.")
local speaker = charMgr:crewIsAlive(lead) and lead or anyoneAlive()
say("Out on the water, a ring of light pulses under the surface, slow as breathing. The reef. It reaches past the horizon in both directions. When I run the engines down, the pulse slows with them.")
if msnMgr:hasQuestItem("reef_song") then
  say("It is the same pulse as on the buoy's recording from Carrow Deep. The reef is listening.")
end
gap()
-- With the whole team lost on the way down, the crew still aboard asks instead.
local asker = speaker >= 0 and crewName(speaker) or "The crew still aboard"
say(asker .. " asks me where we should wake the sleepers. The continent behind us is bare: rock, moss, rivers, nothing that glows. The reef is in front of us.")

-- Who can sing to the reef under water.
local swimmer = findSwimmer()
local hasSong = msnMgr:hasQuestItem("reef_song")
local songLabel
if not hasSong then
  songLabel = "[Reef song] Sing to the reef"
elseif swimmer < 0 then
  songLabel = "[Cephalopod or Avian] Sing to the reef"
else
  songLabel = "Sing to the reef"
end

local home = ask({
  "Land on the northern continent",
  { songLabel, locked = not hasSong or swimmer < 0 },
})
if home == nil then return end

if home == 1 then
  msnMgr:addMessage(" ")
  msnMgr:addHeader("DRAKE 77 — A NEW HOME")
  say("I lift the Ruri one last time and carry it two hundred kilometres inland, away from the reef, to a river valley with a flat floor and good drainage.")
  local digger = charMgr:getCrewTraits("Farmer")
  if digger < 0 then digger = speaker end
  say((digger >= 0 and crewName(digger) or "One of the crew") .. " kneels, digs a hand into the soil and smells it. Dark, loose, full of roots nobody has named. A sample goes into a jar before anything else happens.")
  if alive(digger) then charMgr:giveMemento(digger, "first_soil") end
  say("I open the cryonics bay. " .. amber("2,140 sleepers") .. ", forty at a time, for fifty-four days. The first of them wakes on the ramp, squints at a blue sky, and asks whether it is real.")
  passengers()
  gap()
  lastLook()
  say("I log the date. I log the weather. I stop logging the distance to Drake 77.")
  msnMgr:checkEveryoneLives()
  luaMgr:unlockAchievement("victory_drake1")
  msnMgr:setEndScreen("ending_new_home.png")
  msnMgr:endGame(true)
else
  msnMgr:addHeader("DRAKE 77 — TIDEWATER")
  say(crewName(swimmer) .. " wades out past the breakers with the buoy's recording playing from a suit speaker, then goes under, and sings it back to the reef.")
  say("For a minute nothing changes. Then the ring of light brightens, and the reef moves. Slowly, over the night, it draws apart and leaves a lagoon of calm water inside the ring, a kilometre wide.")
  say("By morning the crew has cut hull plate from the Ruri's cargo decks and lashed it into rafts. The reef lies under them and glows when anyone speaks.")
  if alive(swimmer) then charMgr:giveMemento(swimmer, "reef_shell") end
  say("On the first raft, by the hatch, is a ribbed shell with a light inside it. Nobody put it there. " .. crewName(swimmer) .. " keeps it.")
  say("I wake the sleepers onto the water, " .. amber("2,140") .. " of them, forty at a time. The reef brightens for each new voice.")
  passengers()
  gap()
  lastLook()
  say("I log the tide. The reef logs something too; I am learning to read it.")
  msnMgr:checkEveryoneLives()
  luaMgr:unlockAchievement("victory_drake2")
  msnMgr:setEndScreen("ending_tidewater.png")
  msnMgr:endGame(true)
end
