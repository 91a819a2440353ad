-- The Dark Companion: a black hole with a thin accretion disc. The survey array can study it
-- twice: a photograph from a safe orbit, and a close pass through the frame-dragging zone
-- that only a good mind can plot. Flying close without the plot is a gamble with the
-- hull, and a hull at zero ends the run.

-- The close pass needs a plot worked out by hand: the engineer's job, or the sharpest mind
-- on the team when the engineer is not up to it.
local plotNeed = msnMgr:getDiffScale(5, 6, 7)
local eng = charMgr:getEng()
local plotter = eng
if charMgr:getCharAttr(eng, "mental") < plotNeed then
  plotter = charMgr:crewWithMost("mental")
end
local canPlot = charMgr:getCharAttr(plotter, "mental") >= plotNeed
local plotLabel = "[Mental " .. plotNeed .. "] Plot a close pass through the frame-dragging zone"

msnMgr:addHeader("THE DARK COMPANION — HIGH ORBIT")
msnMgr:addMessage("I bring the Ruri to a halt nine thousand kilometres out. The hole itself is smaller than a moon and blacker than the space around it.")
msnMgr:addMessage("Around it turns a disc of gas, thin as paper seen edge on: orange at the rim, white at the inner edge, where it moves at a third of the speed of light and then is gone.")
local observant = charMgr:getCrewTraits("Observant")
if observant ~= -1 then
  msnMgr:addMessage(crewName(observant) .. " points out that the stars behind the hole are doubled, bent around it like light in a glass of water. I confirm it. I had not thought to mention it.")
end
msnMgr:addMessage(" ")

local function photograph()
  msnMgr:addMessage("The survey array takes eleven thousand frames from a stable orbit. The disc's inner edge flickers: gas falling in, lighting up, going out.")
  local printer = charMgr:crewWithMost("mental")
  if not charMgr:hasMemento(printer, "horizon_plate") then
    charMgr:giveMemento(printer, "horizon_plate")
    msnMgr:addMessage(crewName(printer) .. " prints the first frame on plastic film and pins it above the bunk: a black circle in a ring of fire.")
  end
  ship:adjustSensors(0.5, "Dark Companion disc survey")
  msnMgr:addQuestItem("argon_blackhole_research_0")
  msnMgr:addMessage("The array recalibrates its faint-light filters against the disc. " .. amber("Sensors +0.5") .. ".")
end

local function closePass()
  if plotter ~= eng then
    msnMgr:addMessage(crewName(plotter) .. " takes the plotting console from " .. crewName(eng) .. ", who does not argue.")
  end
  msnMgr:addMessage(crewName(plotter) .. " plots the pass by hand: a curve that skims the frame-dragging zone, where space itself is turning with the hole and drags the ship along with it.")
  msnMgr:addMessage("Eleven minutes. The hull groans and holds. When we come out, the ship's clock has lost four seconds against the survey buoy we left in high orbit.")
  msnMgr:addMessage(crewName(plotter) .. " uses the difference to recalibrate the drive. The slingshot does the rest.")
  ship:adjustEngineSpeed(0.01, "Drive calibrated in the Dark Companion's frame dragging")
  ship:adjustFuel(5)
  msnMgr:addQuestItem("argon_blackhole_research_1")
  msnMgr:addMessage(amber("Engine +0.01") .. ". Fuel " .. amber("+5") .. ".")
end

local function diveBlind()
  local damage = msnMgr:getDiffScale(20, 35, 50)
  local reckless = charMgr:getCrewTraits("Reckless")
  if reckless ~= -1 then
    msnMgr:addMessage(crewName(reckless) .. " is at the console before anyone can argue. \"It's a hole. We go round it. How hard can it be?\"")
  else
    msnMgr:addMessage("Without a plot I fly it on instinct, which I do not have. I fly it on arithmetic instead, done fast.")
  end
  msnMgr:addMessage(red("Tidal stress alarm.") .. " The ship stretches along its length. Rivets let go in the aft ring. Hull " .. amber("-" .. damage) .. ".")
  ship:adjustHealth(-damage)
  if ship:getHealth() <= 0 then
    msnMgr:addMessage(red("The hull fails.") .. " The Ruri comes apart on the inner edge of the disc and lights it up for a moment, like everything else that falls in.")
    msnMgr:setEndScreen("ending_destroyed.png")
    msnMgr:endGame(false)
    return false
  end
  ship:adjustFuel(5)
  msnMgr:addMessage("We come out the far side shaking, with a slingshot's worth of speed and nothing learned. Fuel " .. amber("+5") .. ".")
  return true
end

local plotChoice = { plotLabel, locked = not canPlot }
local picked = ask({ "Photograph the disc from a safe orbit", plotChoice, "Dive close by hand and trust the hull", "Break orbit and leave it alone" })
if picked == nil then return end

if picked == 1 then
  photograph()
  msnMgr:addMessage(" ")
  local more = ask({ { plotLabel, locked = not canPlot }, "Break orbit" })
  if more == nil then return end
  if more == 1 then closePass() end
elseif picked == 2 then
  closePass()
elseif picked == 3 then
  if not diveBlind() then return end
else
  msnMgr:addMessage("We leave it where it is. It has been there four billion years and does not need our opinion.")
end

msnMgr:addMessage("The Ruri climbs away. Behind us the disc keeps turning, feeding the dark.")
msnMgr:endMission(true)
