-- Carrow Deep: the Programme's probe buoy lies forty metres down in a grey ocean. A Cephalopod or
-- Avian can dive bare; anyone else needs the engineer's rig and good lungs; or the team drags
-- the buoy up blind and may lose its recording. The recording is the reef's song, which the
-- Drake 77 final needs for one of its endings.

local lead = charMgr:getLead()
local eng = charMgr:getEng()

msnMgr:addHeader("CARROW DEEP — THE SWELLS")
say("Carrow Deep is water from pole to pole: grey swells four metres high under a grey sky, eight degrees at the surface. No land. No ice. Nothing on my scan taller than a wave.")
if msnMgr:hasQuestItem("kestrel_charts") then
  say("The Kestrel charts give the buoy's mooring point to the metre. I put the lander down on the swell right above its locator ping.")
else
  say("The buoy's locator pings once a minute and the swell scatters it. I search for a day before I can hold the lander over it. " .. amber("Food -3") .. " for the wait.")
  ship:adjustFood(-3)
end
say("The buoy broke its mooring years ago and sank. My sonar finds it forty metres down, on its side in silt, its lamp still blinking.")
gap()

local swimmer = findSwimmer()
local needRig = msnMgr:getDiffScale(4, 5, 6)
local rigSkill = charMgr:getCharAttr(eng, "mental")
local how = ask({
  { "[Cephalopod or Avian] Send a swimmer down bare", locked = swimmer < 0 },
  { "[Mental " .. needRig .. "] Rig a diving suit for the strongest", locked = rigSkill < needRig },
  "Drag the buoy up on a line",
})
if how == nil then return end
gap()

local diver = -1
local recordingSaved = true
if how == 1 then
  diver = swimmer
  msnMgr:addHeader("CARROW DEEP — FORTY METRES")
  say(crewName(diver) .. " goes over the side with a lift bag and a lamp and nothing else, and is at the bottom in under a minute.")
  if charMgr:getCharTrait(diver, "Cephalopod") then
    say("On the lamp camera the silt lights up in " .. crewName(diver) .. "'s colours, orange, then a calm green. The translating band says: \"Cold. Good. Like home was.\"")
  else
    say(crewName(diver) .. " flies down rather than swims. Avians were built for this. The camera shows a straight line, no wasted stroke.")
  end
  say("The lift bag goes on the buoy's frame. The buoy rises.")
else
  if how == 2 then
    diver = charMgr:crewWithMost("physical")
    msnMgr:addHeader("CARROW DEEP — FORTY METRES")
    say(crewName(eng) .. " builds a rig from two suit tanks, a pressure regulator and a great deal of tape, and tests it three times on the deck.")
    say(crewName(diver) .. " puts it on and goes down the line slowly, stopping every two metres to clear the pressure.")
    say("At the bottom it is dark and very cold. The lift bag goes on the buoy's frame. The buoy rises.")
    local lungs = charMgr:getCharAttr(diver, "physical")
    if charMgr:getCharTrait(diver, "Weak") then lungs = lungs - 3 end
    -- A taped rig is a taped rig: one dive in five it fails whoever wears it.
    local rigHolds = msnMgr:random() % 5 ~= 0
    if lungs >= msnMgr:getDiffScale(5, 6, 7) and rigHolds then
      say(crewName(diver) .. " comes up after it, stopping twice to let the pressure go. The rig hisses the whole way. It holds.")
    else
      say(red("The regulator ices at thirty metres.") .. " " .. crewName(diver) .. " is breathing the last of the tank on the line.")
      if charMgr:getCharTrait(diver, "Tough") or charMgr:getCharTrait(diver, "Lucky") then
        say(crewName(diver) .. " climbs the line hand over hand on one breath, breaks the surface blue in the face, and lies on the deck breathing.")
      else
        say("The line goes slack at twelve metres. The winch brings up the rig. " .. crewName(diver) .. " is in it, and is gone.")
        msnMgr:killCrew(diver, "<charName> drowned raising the probe buoy from Carrow Deep.")
      end
    end
  else
    msnMgr:addHeader("CARROW DEEP — THE LINE")
    say("The team drops a grapnel on the end of the lander's winch line and drags it across the bottom until it catches. It catches on the fourth pass.")
    say("The buoy comes up tail first, banging against the lander's skids. Its recording module takes a crack on the way. Seawater runs out of the seam.")
    recordingSaved = false
  end
end
gap()

if not charMgr:crewOnShipLeft() then
  say(red("No one is left aboard the Ruri. The buoy floats on its lift bag beside the empty lander."))
  msnMgr:setEndScreen("ending_silence.png")
  msnMgr:endGame(false)
  return
end
if charMgr:depCrewLeft() == 0 then
  say("The buoy floats on its lift bag beside the lander. Nobody is left to bring it aboard, and I have no hands. I mark the place and call the lander home.")
  msnMgr:endMission(false)
  return
end

if diver >= 0 and charMgr:crewIsAlive(diver) then
  say("Once aboard, " .. crewName(diver) .. " holds out a grey stone the size of a thumbnail, grown in rings, picked up from the silt beside the buoy.")
  if alive(diver) then charMgr:giveMemento(diver, "carrow_pearl") end
  gap()
end

msnMgr:addHeader("CARROW DEEP — THE RECORDING")
local carrier = charMgr:crewIsAlive(lead) and lead or anyoneAlive()
say("The buoy lies on the lander's deck, streaming water. Its lamp blinks every four seconds. Nobody can find the switch. " .. crewName(carrier) .. " unbolts it and keeps it anyway.")
if alive(carrier) then charMgr:giveMemento(carrier, "buoy_lamp") end
say("Its core is intact: the Programme's last survey of Drake 77. " .. amber("Probe core recovered") .. ".")
msnMgr:addQuestItem("probe_core")

local reader = charMgr:crewWithMost("mental")
if not recordingSaved then
  if charMgr:getCharAttr(reader, "mental") >= msnMgr:getDiffScale(6, 7, 8) then
    say(crewName(reader) .. " dries the recording module with a heat gun, pin by pin, and gets it to play on the third try.")
    recordingSaved = true
  else
    say(crewName(reader) .. " dries the recording module with a heat gun for an hour. It plays nine seconds of static and dies. Whatever the probe heard is gone.")
  end
end
if recordingSaved then
  say("The recording is short. The probe, in orbit over Drake 77, sends a tone down into the sea. Eleven seconds later the sea sends it back, lower, longer, changed.")
  say("The survey notes are plain: a living reef rings the whole world in the shallows. It is slow. It is vast. It answers sound.")
  say(crewName(reader) .. " copies the recording to a suit drive and plays it twice more. " .. amber("Reef song recorded") .. ".")
  if alive(reader) then charMgr:giveMemento(reader, "reef_recording") end
  msnMgr:addQuestItem("reef_song")
  local wary = charMgr:getCrewTraits("Xenophobic")
  if wary >= 0 then
    say(crewName(wary) .. " listens to the reef's answer with arms folded, and says that nobody asked whether it wants neighbours.")
  end
else
  say("The core's survey notes still say it plainly: Drake 77 is ringed by something alive in its shallows, and it answers sound. We will not know what it said.")
end
gap()
say("I lift the lander off the swell. Behind us the sea closes over the place as if nothing had been there.")
msnMgr:endMission(true)
