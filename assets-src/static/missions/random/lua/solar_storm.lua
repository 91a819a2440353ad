-- Solar Storm: a coronal mass ejection hits the Ruri mid-sector, whatever the crew does.
-- Riding the shock front fills the tanks if the pilot can read it; a probe fired into the
-- plasma tells the engineer (or the team's best mind) how to harden shields and hull;
-- hiding costs a few shields and teaches nothing. Whoever watches the aurora may sketch it.

local eng = charMgr:getEng()
local pilot = charMgr:crewWithMost("mental")

msnMgr:addHeader("SOLAR STORM — FORTY MINUTES OUT")
msnMgr:addMessage(red("Flare alarm.") .. " The star behind us has thrown off a cloud of plasma the size of a world. It is coming at four hundred kilometres a second. There is nowhere to fly in forty minutes that it will not be.")
msnMgr:addMessage("I wake the crew. They gather on the bridge in what they were sleeping in.")
msnMgr:addMessage(" ")

local learned = false

local picked = ask({ "Ride the shock front with the scoops open", "Fire a probe into the plasma", "Shut everything down and wait it out" })
if picked == nil then return end

if picked == 1 then
  msnMgr:addMessage(crewName(pilot) .. " turns the Ruri bow-on to the storm and opens the fuel scoops. The plan is to surf the front, not to fight it.")
  if charMgr:getCharAttr(pilot, "mental") >= msnMgr:getDiffScale(5, 6, 7) then
    msnMgr:addMessage("The front hits like surf on a beach. " .. crewName(pilot) .. " rides its pressure changes a second ahead of my instruments, and the scoops drink protons for twenty minutes.")
    ship:adjustFuel(10)
    msnMgr:addQuestItem("argon_coronalmassejection_research_0")
    msnMgr:addMessage("The array records the front's whole structure on the way through. Fuel " .. amber("+10") .. ".")
    learned = true
  else
    msnMgr:addMessage("The front hits off-angle. The ship slews, the scoops slam shut on the overload, and the plasma scours the shields on the broadside.")
    ship:adjustShields(-10)
    ship:adjustFuel(5)
    msnMgr:addMessage("Shields " .. amber("-10") .. ". Fuel " .. amber("+5") .. ", from what got in before the scoops closed.")
  end

elseif picked == 2 then
  msnMgr:addMessage(crewName(eng) .. " strips a survey probe of everything but its sensors and fires it down the storm's throat.")
  local reader, able = handsFor(msnMgr:getDiffScale(4, 5, 6))
  if able then
    msnMgr:addMessage("The probe lives for ninety seconds inside the plasma. That is enough. " .. crewName(reader) .. " reads off the particle energies and retunes the shields to meet them, then sends the crew aft with sealant to the hull plates the probe's data says will take the worst.")
    ship:adjustShields(10)
    ship:adjustHealth(10)
    msnMgr:addQuestItem("argon_coronalmassejection_research_1")
    msnMgr:addMessage("Shields " .. amber("+10") .. ". Hull " .. amber("+10") .. ".")
    learned = true
  else
    msnMgr:addMessage("The probe's signal turns to noise after four seconds. Nothing usable. The storm arrives on schedule and finds the shields as they were.")
    ship:adjustShields(-10)
    msnMgr:addMessage("Shields " .. amber("-10") .. ".")
  end

else
  local loss = msnMgr:getDiffScale(5, 8, 10)
  msnMgr:addMessage("I power down everything that can be powered down. The crew sits in the shielded core, in the dark, and listens to the hull tick.")
  msnMgr:addMessage("Six hours. The shields take it all and are thinner for it. Shields " .. amber("-" .. loss) .. ".")
  ship:adjustShields(-loss)
end

msnMgr:addMessage(" ")
msnMgr:addMessage("When it has passed, the storm's tail lights the Ruri's own field: green and violet curtains running down the hull from bow to stern.")
if learned then
  local artist = charMgr:getCrewTraits("Observant")
  if artist == -1 then artist = charMgr:getCrewTraits("Empathic") end
  if artist == -1 then artist = charMgr:randomCrew() end
  if not charMgr:hasMemento(artist, "aurora_sketch") then
    charMgr:giveMemento(artist, "aurora_sketch")
    msnMgr:addMessage(crewName(artist) .. " sits at the observation port with a pencil and the back of a checklist and draws it until it fades.")
  end
end
msnMgr:endMission(true)
