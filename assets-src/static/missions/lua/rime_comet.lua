-- Rime Comet: crack water ice into reaction mass. Cutting on the shadowed side is slow and
-- safe, and a good engineer gets more out of it; blasting the sunward seam fills the tanks
-- if someone strong catches the plates, but a Reckless cutter can throw ice into the Ruri
-- unless someone Cautious is watching.

msnMgr:addHeader("RIME COMET — THE NUCLEUS")
msnMgr:addMessage("The comet is four kilometres of dirty ice, tumbling once every nine hours. On its sunward face three jets of vapour stream off into the tail. The shadowed face is black and still.")
msnMgr:addMessage("The shuttle anchors with ice screws. Gravity is so weak that a dropped glove takes a minute to land.")
msnMgr:addMessage(" ")

local eng = charMgr:getEng()
msnMgr:addMessage(crewName(eng) .. " sets up the melt rig: a heated drum, a pump, and the electrolysis stack that turns water into hydrogen for the reactor.")
msnMgr:addMessage(" ")

local picked = ask({ "Cut blocks from the shadowed side", "Blast a seam along the sunward jets" })
if picked == nil then return end

if picked == 1 then
  msnMgr:addMessage("The team saws the ice into blocks the size of suitcases and floats them to the drum. Slow work in the dark. The drum never runs dry.")
  local gain = 10
  if charMgr:getCharAttr(eng, "mental") >= msnMgr:getDiffScale(5, 6, 7) then
    msnMgr:addMessage(crewName(eng) .. " reroutes the drum's waste heat back into the cut face, so the ice comes away half melted. The stack runs at twice the rate.")
    gain = 15
  end
  ship:adjustFuel(gain)
  msnMgr:addMessage("Fuel " .. amber("+" .. gain) .. ".")
else
  local reckless = charMgr:getCrewTraits("Reckless")
  local cautious = charMgr:getCrewTraits("Cautious")
  msnMgr:addMessage("On the sunward face the jets have already done half the work: the ice along their vents is rotten and full of gas.")
  if reckless ~= -1 and cautious == -1 then
    local damage = msnMgr:getDiffScale(5, 10, 15)
    msnMgr:addMessage(crewName(reckless) .. " sets the charges deeper than planned. \"More ice, fewer trips.\"")
    msnMgr:addMessage(red("The seam blows wide.") .. " A slab the size of a house spins off the nucleus. The shuttle gets clear; the Ruri, holding station overhead, does not quite. Hull " .. amber("-" .. damage) .. ".")
    ship:adjustHealth(-damage)
    msnMgr:addMessage("The blast also leaves a field of clean ice floating where the team can reach it.")
  elseif reckless ~= -1 then
    msnMgr:addMessage(crewName(reckless) .. " reaches for a third charge. " .. crewName(cautious) .. " takes it away without a word and puts it back in the case. The seam opens exactly as planned.")
  else
    msnMgr:addMessage("The charges go off one by one along the seam. Ice lifts away in clean plates, and the plates start to drift.")
  end
  local gain = 20
  local catcher = charMgr:crewWithMost("physical")
  if reckless == -1 and charMgr:getCharAttr(catcher, "physical") < msnMgr:getDiffScale(5, 6, 7) then
    msnMgr:addMessage(crewName(catcher) .. " chases them with a tether and a cargo net, but half the plates tumble away into the tail before anyone can reach them.")
    gain = 12
  end
  ship:adjustFuel(gain)
  msnMgr:addMessage("The stack runs hot for six hours. Fuel " .. amber("+" .. gain) .. ".")
end

msnMgr:addMessage("The shuttle unscrews its anchors and falls upward. Behind it the comet keeps tumbling, a little lighter.")
msnMgr:endMission(true)
