-- Rust Hollows: brine shrimp in canyon pools. A Farmer builds a weir, an Avian dives for
-- them, and either doubles the catch. The deep pool holds more and needs a climber, or a
-- Cephalopod who swims it.

msnMgr:addHeader("RUST HOLLOWS — THE CANYON FLOOR")
msnMgr:addMessage("The canyon walls are red iron, four hundred metres high. The sky is a thin strip of pink at the top. Air pressure 0.3 atmospheres; the suits stay sealed.")
msnMgr:addMessage("In the shade at the bottom lie pools of brine, skinned with salt at the edges. The water moves. Clouds of pink shrimp, each the length of a fingernail, turn together like one animal.")
msnMgr:addMessage("My assay of a sample: protein, fat, salt, no toxins I know. They will keep if they are dried.")
msnMgr:addMessage(" ")

-- Who doubles the catch: a Farmer's weir, or an Avian who fishes the old way.
local farmer = charMgr:getCrewTraits("Farmer")
local avian = charMgr:getCrewTraits("Avian")

local function landCatch(base)
  local gain = base
  if farmer ~= -1 then
    msnMgr:addMessage(crewName(farmer) .. " builds a weir of flat stones across the outflow and lets the current do the herding. The nets come up heavy every time.")
    gain = base * 2
  elseif avian ~= -1 then
    msnMgr:addMessage(crewName(avian) .. " unseals the helmet for one breath, dives, and comes up with a beak full of shrimp, then does it again until the others beg " .. them(avian) .. " to stop and put the helmet back on.")
    gain = base * 2
  end
  ship:adjustFood(gain)
  msnMgr:addMessage("The catch is spread on the shuttle's heat vents to dry. Food " .. amber("+" .. gain) .. ".")
  local wary = charMgr:getCrewTraits("Xenophobic")
  if wary ~= -1 then
    msnMgr:addMessage(crewName(wary) .. " helps carry the trays and announces that nothing from this planet is going to be eaten by anyone born on Earth. I note it for the galley, and I note that the trays were carried anyway.")
  end
end

local picked = ask({ "Net the shallow pools", "Climb down to the deep pool under the overhang" })
if picked == nil then return end

if picked == 1 then
  msnMgr:addMessage("The shallow pools are knee deep. The shrimp scatter at every step and come back when the water settles. It is slow work with hand nets.")
  landCatch(8)
else
  local swimmer = charMgr:getCrewTraits("Cephalopod")
  local climber = swimmer ~= -1 and swimmer or charMgr:crewWithMost("physical")
  msnMgr:addMessage(crewName(climber) .. " ties on and goes down the salt-crusted slope to the deep pool, where the shrimp are so thick the water looks like wine.")
  if swimmer ~= -1 then
    msnMgr:addMessage(crewName(swimmer) .. " lets go of the rope at the bottom and slips into the brine, suit and all, and herds the shrimp into the net from below. The drowned cities had worse water than this.")
    landCatch(10)
  elseif charMgr:getCharAttr(climber, "physical") >= msnMgr:getDiffScale(5, 6, 7) then
    msnMgr:addMessage("The slope holds. The net comes up full, and so does the next one.")
    landCatch(10)
  else
    msnMgr:addMessage(red("The salt crust gives way.") .. " " .. crewName(climber) .. " slides the last ten metres and lands in the brine, tangled in the net. The rope holds. The catch does not.")
    msnMgr:addMessage("The team hauls " .. them(climber) .. " out, soaked and furious. They net the shallows for an hour with what strength is left.")
    landCatch(4)
  end
end

msnMgr:addMessage("The shuttle lifts out of the canyon. The shrimp in the pools close ranks behind it as if nothing happened.")
msnMgr:endMission(true)
