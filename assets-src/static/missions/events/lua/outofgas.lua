-- The tanks are dry. The team on the reactor deck finds mass for one more burn, or the Ruri
-- drifts. Every way out but the drift leaves at least one unit of fuel in the tanks, however
-- far below zero the gauge had fallen.

luaMgr:unlockAchievement("out_of_gas")

-- Adds at least `gain` fuel, and more if that is what it takes to reach 1. Returns the
-- amount added, for the log.
local function refuel(gain)
  local needed = 1 - ship:getFuel()
  if needed > gain then gain = needed end
  ship:adjustFuel(gain)
  return gain
end

msnMgr:addHeader("ON BOARD THE RURI — REACTOR DECK")
msnMgr:addMessage("The reaction mass gauge reads " .. amber(ship:getFuel()) .. ". The drive coils are warm and have nothing to push against.")
msnMgr:addMessage("We are coasting. At this speed the edge of the sector is eleven years away, and the food will not last eleven years.")
msnMgr:addMessage(" ")

local eng = charMgr:getEng()
msnMgr:addMessage(crewName(eng) .. " opens the reactor manifests and reads them aloud. Anything with mass can be burned. The question is what we can live without.")
msnMgr:addMessage(" ")

local shields = ship:getShields()
local food = ship:getFood()
local options = {}
if shields >= 30 then
  table.insert(options, "Strip the shield emitters for reactor mass")
else
  table.insert(options, { "[Shields 30] Strip the shield emitters for reactor mass", locked = true })
end
if food >= 10 then
  table.insert(options, "Crack the water stores")
else
  table.insert(options, { "[Food 10] Crack the water stores", locked = true })
end
table.insert(options, "Feed the bay's dead to the bioreactor")
table.insert(options, "Cut the engines and drift")

local picked = ask(options)
if picked == nil then return end

if picked == 1 then
  local base = 5
  if charMgr:getCharAttr(eng, "mental") >= msnMgr:getDiffScale(5, 6, 7) then
    base = 8
    msnMgr:addMessage(crewName(eng) .. " unbolts the emitter cores one at a time and bleeds their ballast into the reactor without wasting a gram.")
  else
    msnMgr:addMessage(crewName(eng) .. " cuts the emitter cores loose. Half the ballast boils off before it reaches the reactor.")
  end
  ship:adjustShields(-30)
  local gain = refuel(base)
  msnMgr:addMessage("Shields " .. amber("-30") .. ". Fuel " .. amber("+" .. gain) .. ". The Ruri is thinner-skinned now, and moving.")

elseif picked == 2 then
  ship:adjustFood(-10)
  local gain = refuel(5)
  msnMgr:addMessage("The water stores go to the electrolysis rig, and the soup stock goes with them. The crew will drink recycled water and eat dry.")
  local glutton = charMgr:getCrewTraits("Gluttonous")
  if glutton ~= -1 then
    msnMgr:addMessage(crewName(glutton) .. " carries the stock pots down personally, muttering the recipes as a farewell.")
  end
  msnMgr:addMessage("Food " .. amber("-10") .. ". Fuel " .. amber("+" .. gain) .. ".")

elseif picked == 3 then
  msnMgr:addMessage("Forty-one pods in the cryonics bay have failed since launch. Their sleepers are kept in the cold store, for a funeral on the ground.")
  local counselor = charMgr:getCrewTraits("Counselor")
  if counselor ~= -1 then
    msnMgr:addMessage(crewName(counselor) .. " reads every name before the hatch closes. It takes twenty minutes. Nobody hurries " .. them(counselor) .. ".")
  else
    msnMgr:addMessage("The team loads them in silence. Somebody has written each name on tape across the bags.")
  end
  local gain = refuel(8)
  msnMgr:addQuestItem("cannibal_fuel")
  msnMgr:addMessage("Fuel " .. amber("+" .. gain) .. ". I log the names with the fuel figures. It seems the least I can do.")

else
  msnMgr:addMessage("The reactor winds down to idle. The drive coils cool. I point the ship's long axis at the next star, because it costs nothing.")
  msnMgr:addMessage("The crew will live as long as the food does. The sleepers will live as long as the reactor does, which is longer. Someone may find us. " .. red("I stop counting the days."))
  msnMgr:setEndScreen("ending_adrift.png")
  msnMgr:endGame(false)
  return
end

msnMgr:addMessage("The drive lights. One burn, then another. We are going somewhere again.")
msnMgr:endMission(true)
