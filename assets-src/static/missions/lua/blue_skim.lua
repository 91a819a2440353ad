-- Blue Skim: the Ruri dips into an ice giant's upper air with its scoops open. The high
-- haze is thin and safe; the deep bands are rich and cost shields. The team on the bridge
-- flies it: the best mind at the console decides how well the deep pass goes.

msnMgr:addHeader("BLUE SKIM — UPPER ATMOSPHERE")
msnMgr:addMessage("The ice giant fills the forward screens: pale blue, banded, without a single solid thing to land on. Its upper air is hydrogen and helium with a trace of methane, which is what gives it the colour.")
msnMgr:addMessage("The plan is simple. The Ruri dips into the haze, opens the fuel scoops, and climbs out before the drag gets a grip on it.")

local pilot = charMgr:crewWithMost("mental")
msnMgr:addMessage(crewName(pilot) .. " takes the manual console. I handle everything else, in the figurative sense.")

-- The two racers cannot share a bridge quietly.
local first = charMgr:getCrewTraits("Competitive")
if first ~= -1 then
  for _, i in ipairs(luaMgr:aliveCrewLeft()) do
    if i ~= first and charMgr:getCharTrait(i, "Competitive") then
      msnMgr:addMessage(crewName(first) .. " and " .. crewName(i) .. " argue over who gets to fly it until I point out that the console has two seats and one stick.")
      break
    end
  end
end
msnMgr:addMessage(" ")

local picked = ask({ "Skim the high haze", "Dive to the deep bands" })
if picked == nil then return end

if picked == 1 then
  msnMgr:addMessage("The haze is thin. The scoops whistle and the tank gauges creep. Three passes, each a little lower than the last, and nothing touches the hull but wind.")
  ship:adjustFuel(10)
  msnMgr:addMessage("Fuel " .. amber("+10") .. ".")
else
  msnMgr:addMessage("The Ruri drops through the haze into the deep bands, where the blue turns to navy and the scoops roar.")
  local gain, hit = 15, 5
  if charMgr:getCharAttr(pilot, "mental") >= msnMgr:getDiffScale(6, 7, 8) then
    msnMgr:addMessage(crewName(pilot) .. " reads the bands a minute ahead and rides the updraughts, holding us in the rich layer twice as long as I would have dared.")
    gain = 20
  elseif charMgr:getCharTrait(pilot, "Reckless") then
    msnMgr:addMessage(crewName(pilot) .. " holds the dive too long. " .. red("A hail of methane ice hammers the shields") .. " before we climb out.")
    hit = 10
  else
    msnMgr:addMessage("The ship shudders in the crosswinds. Ice rattles off the shields. " .. crewName(pilot) .. " pulls us up on my count.")
  end
  ship:adjustFuel(gain)
  ship:adjustShields(-hit)
  msnMgr:addMessage("Fuel " .. amber("+" .. gain) .. ". Shields " .. amber("-" .. hit) .. ".")
end

msnMgr:addMessage("We climb back into the dark. The giant's blue shrinks behind us to a coin, then a star.")
msnMgr:endMission(true)
