-- Ashgrove: ashcap fungus around hot vents. The outer rings are safe and thin; the inner
-- rings are rich and need a strong back; a Farmer or an Observant eye finds the ripe caps
-- without going near the heat. One picker keeps a dried cap.

-- Someone on the team who has no dried cap yet keeps one; `first` is asked first.
local function keepCap(first)
  local candidates = { first }
  for _, i in ipairs(luaMgr:aliveCrewLeft()) do table.insert(candidates, i) end
  for _, i in ipairs(candidates) do
    if i ~= -1 and charMgr:crewIsAlive(i) and not charMgr:hasMemento(i, "dried_ashcap") then
      charMgr:giveMemento(i, "dried_ashcap")
      msnMgr:addMessage(crewName(i) .. " saves one cap from the pot and hangs it on the galley rack to dry.")
      return
    end
  end
end

-- Food landed, with the galley's tax when a Gluttonous cook is on the team.
local function land(gain)
  local glutton = charMgr:getCrewTraits("Gluttonous")
  if glutton ~= -1 then
    msnMgr:addMessage(crewName(glutton) .. " eats three caps raw on the walk back, for quality control. The verdict: smoky, a little bitter, excellent with fish.")
    gain = gain - 2
  end
  ship:adjustFood(gain)
  msnMgr:addMessage("Food " .. amber("+" .. gain) .. ".")
end

msnMgr:addHeader("ASHGROVE — THE VENT FIELDS")
msnMgr:addMessage("The shuttle sets down on grey pumice two hundred metres from the nearest vent. Surface temperature 41 degrees. The air is sulphur and carbon dioxide; the suits stay sealed.")
msnMgr:addMessage("Ashcap grows in rings around each vent: brown caps the size of a hand, pale gills, a smell my sensors call sulphur and the crew will call worse. The caps nearest the heat are the largest.")
local cygen = charMgr:getCrewTraits("Cygen")
if cygen ~= -1 then
  msnMgr:addMessage(crewName(cygen) .. " cannot smell anything and says so, twice, while the others gag.")
end
msnMgr:addMessage(" ")

local farmer = charMgr:getCrewTraits("Farmer")
local eye = farmer ~= -1 and farmer or charMgr:getCrewTraits("Observant")
local picked = ask({
  "Pick the outer rings, away from the vents",
  "Work the inner rings by the vents",
  { "[Farmer or Observant] Read the rings for the ripest caps", locked = eye == -1 },
})
if picked == nil then return end

if picked == 1 then
  msnMgr:addMessage("The outer caps are small and tough. The team fills the sacks slowly, out of reach of the heat. Four hours, two sacks.")
  land(msnMgr:getDiffScale(12, 10, 10))
  keepCap(charMgr:randomCrew())

elseif picked == 2 then
  local picker = charMgr:crewWithMost("physical")
  msnMgr:addMessage(crewName(picker) .. " goes in close, where the ground shivers and the caps grow thick as bread.")
  if charMgr:getCharAttr(picker, "physical") >= msnMgr:getDiffScale(5, 6, 7) then
    msnMgr:addMessage("The vent coughs twice. " .. crewName(picker) .. " is already three steps back both times, arms full.")
    land(20)
    keepCap(picker)
  else
    msnMgr:addMessage(red("The vent blows.") .. " A plume of hot ash rolls over the inner ring. " .. crewName(picker) .. " gets clear with a scorched suit and half a sack.")
    msnMgr:addMessage("The ash rides up with the shuttle and sandblasts the Ruri's intake on the way in. Hull " .. amber("-5") .. ".")
    ship:adjustHealth(-5)
    land(10)
  end

else
  msnMgr:addMessage(crewName(eye) .. " walks the rings with the visor down close to the caps. The ripe ones have split gills and grow on the downwind side, where the vent's heat is gentler.")
  msnMgr:addMessage("Nobody goes near the vent mouths. The sacks fill with the best caps on the field.")
  land(16)
  keepCap(eye)
end

msnMgr:addMessage("The shuttle lifts with the hold smelling of sulphur. The galley will smell of it for a week.")
msnMgr:endMission(true)
