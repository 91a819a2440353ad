-- Hail of Grit. A micrometeor stream sandblasts the Ruri. The shields take the first of it;
-- then the crew patches the hull outside (the team's strength and the engineer's head decide how
-- well, and a bad repair can cost a life), burns edge-on through it for fuel, or rides it out
-- on the shields. The hull loses 10 to 30 and more when the shields are already down; a hull
-- at 0 ends the run.

local eng = charMgr:getEng()

msnMgr:addHeader("THE RURI — OUTER HULL, FRAMES 40 TO 66")
msnMgr:addMessage("The stream arrives the way they all do, without warning: a cloud of grit no bigger than sand, meeting us at 31 kilometres a second.")

-- The shields take the first 15; what they cannot take goes into the hull later.
local absorbed = math.max(0, math.min(ship:getShields(), 15))
local unshielded = 15 - absorbed
if absorbed > 0 then
  ship:adjustShields(-absorbed)
  msnMgr:addMessage("The shields take the first of it and glow along the bow. " .. amber("Shields -" .. absorbed .. "."))
end
if unshielded > 0 then
  msnMgr:addMessage(red("The shields are too low to hold it.") .. " Whatever they cannot stop, the plating will have to.")
end
msnMgr:addMessage("Then the hull starts to ring. Frames 40 to 66 report pitting. Frame 52 reports a breach the width of a pencil, and the deck behind it is losing air.")
msnMgr:addMessage(" ")

local burn = "Turn edge-on and burn through it"
if ship:getFuel() < 4 then
  burn = { "[Fuel 4] Turn edge-on and burn through it", locked = true }
end
local pick = ask({ "Suit up and patch the hull", burn, "Ride it out behind the shields" })
if not pick then return end

local damage = 0
if pick == 1 then
  msnMgr:addMessage(" ")
  msnMgr:addHeader("OUTER HULL — FRAME 52")
  msnMgr:addMessage("The team goes out through airlock 3 on tethers, with patch kits and a sealant gun, into grit they cannot see until it hits something.")
  local visitor = charMgr:getCrewByName("Vodov Daveze")
  if visitor ~= -1 then
    msnMgr:addMessage(crewName(visitor) .. " goes out without a suit, as on the night of the knock, and finds the breach by feel before anyone else has found the hull.")
  end
  local strongEnough = charMgr:mostAttr("physical") >= msnMgr:getDiffScale(5, 6, 7)
  local cleverEnough = charMgr:getCharAttr(eng, "mental") >= msnMgr:getDiffScale(4, 5, 6)
  local reckless = charMgr:getCrewTraits("Reckless")
  if strongEnough and cleverEnough then
    damage = 10
    msnMgr:addMessage(crewName(eng) .. " has the breach plated in six minutes and the pitting sealed in forty, braced against a stream that wants every plate gone.")
  elseif (strongEnough or cleverEnough) and reckless == -1 then
    damage = 15
    msnMgr:addMessage("The breach is plated on the third try. Two of the smaller holes are not found until the deck pressure says so. It takes two hours.")
  else
    -- A slow repair tempts a Reckless member off the tether; a bad one puts the weakest at risk.
    damage = 20
    local struck = reckless
    if struck == -1 then
      struck = charMgr:crewWithLeast("physical")
    end
    if strongEnough or cleverEnough then
      damage = 15
      msnMgr:addMessage("The breach is plated on the third try. The last small hole is two metres past the end of a tether, and " .. crewName(struck) .. " is not a patient person.")
    else
      msnMgr:addMessage("It goes badly. The plates slip, the sealant freezes in the gun, and " .. crewName(struck) .. " unclips a tether to reach the last hole.")
    end
    if charMgr:getCharTrait(struck, "Lucky") or charMgr:getCharTrait(struck, "Tough") then
      msnMgr:addMessage("A grain goes through the suit's shoulder. The suit seals itself around the hole, and so, more slowly, does " .. crewName(struck) .. ". A bruise the size of a plate and a story.")
    else
      msnMgr:addMessage(red("A grain goes through a faceplate.") .. " It is the faceplate of " .. crewName(struck) .. ". The suit telemetry stops a moment later.")
      msnMgr:killCrew(struck, "<charName> was killed by a grain of grit on the Ruri's outer hull, patching frame 52.")
    end
  end
  -- Whoever is still out there digs the grain out of the plating as a keepsake.
  local digger = eng
  if not charMgr:crewIsAlive(digger) then
    digger = -1
    if charMgr:depCrewLeft() > 0 then
      digger = charMgr:randomCrew()
    end
  end
  if digger ~= -1 then
    msnMgr:addMessage("Before coming in, " .. crewName(digger) .. " digs one grain out of the plating with a knife tip and pockets it.")
    if not charMgr:hasMemento(digger, "hull_pebble") then
      charMgr:giveMemento(digger, "hull_pebble")
    end
  end
elseif pick == 2 then
  ship:adjustFuel(-3)
  msnMgr:addMessage("I turn the Ruri edge-on to the stream and burn hard across it. " .. amber("Fuel -3."))
  if charMgr:getCharAttr(eng, "mental") >= msnMgr:getDiffScale(5, 6, 7) then
    damage = 15
    msnMgr:addMessage(crewName(eng) .. " trims the burn from the engine room so our thin side stays to the grit the whole way. The ringing drops to a patter, then stops.")
  else
    damage = 25
    msnMgr:addMessage("The turn is clean, the burn is not: we wallow, and the stream finds our broad side twice before we are through.")
  end
else
  if ship:getShields() >= 50 then
    damage = 20
    ship:adjustShields(-10)
    msnMgr:addMessage("I put every spare watt into the shields and we sit in the stream for three hours while it sandblasts the bow. " .. amber("Shields -10."))
  else
    damage = 30
    msnMgr:addMessage("I put every spare watt into the shields. There are not enough of them. We sit in the stream for three hours and listen.")
  end
end

damage = damage + unshielded
ship:adjustHealth(-damage)
msnMgr:addMessage(" ")
msnMgr:addMessage(amber("Hull -" .. damage .. ".") .. " The hull stands at " .. math.max(0, ship:getHealth()) .. "%.")

if ship:getHealth() <= 0 then
  msnMgr:addMessage(red("HULL INTEGRITY LOST."))
  msnMgr:addMessage("Frame 52 goes, then 53, then the rest in a line, like a zip. The grit does not stop because we have.")
  msnMgr:addMessage("I keep the cryonics bay warm for as long as there is power. It is not long.")
  msnMgr:setEndScreen("ending_destroyed.png")
  msnMgr:endGame(false)
  return
end

if not charMgr:crewOnShipLeft() then
  msnMgr:addMessage("There is nobody left awake aboard. The stream passes. I hold the course, because it is the one we were given.")
  msnMgr:setEndScreen("ending_silence.png")
  msnMgr:endGame(false)
  return
end

msnMgr:addMessage("The stream thins and is gone. The hull goes quiet, which is the best thing a hull can do.")
msnMgr:endMission(true)
