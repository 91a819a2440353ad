-- The Wanderer: a trans-solar object crossing between the stars. The Ruri meets it five
-- times. Each visit takes the next step (track it, read its spectra, land, go inside, reach
-- the core), found from the research already held, and the visit ends unfinished so the
-- Wanderer comes back, until the fifth, which ends it for good. A visit that learns nothing
-- also ends unfinished, so the same step is tried again next time.

-- The visit after the furthest stage on record. The fifth visit completes the mission, so
-- the last record never has to be looked for.
local stage = 1
if msnMgr:hasQuestItem("argon_transsolarobject_research_0") then stage = 2 end
if msnMgr:hasQuestItem("argon_transsolarobject_research_1") then stage = 3 end
if msnMgr:hasQuestItem("argon_transsolarobject_research_2") then stage = 4 end
if msnMgr:hasQuestItem("argon_transsolarobject_research_3") then stage = 5 end
local lastStage = 5

-- Ends the visit: the Wanderer comes back until the fifth visit has given its record.
local function leave(text)
  msnMgr:addMessage(text)
  msnMgr:endMission(stage == lastStage)
end

if stage == 1 then
  msnMgr:addHeader("THE WANDERER — FIRST CONTACT")
  msnMgr:addMessage("Something crosses the edge of the survey array's field: a dark point against the stars, moving at two hundred kilometres a second. Nothing orbiting a star moves that fast. It is not orbiting anything.")
  msnMgr:addMessage("It will be out of range in an hour.")
  msnMgr:addMessage(" ")
  local eye = charMgr:getCrewTraits("Observant")
  local picked = ask({ "Track it by hand while the array follows", "Let it go" })
  if picked == nil then return end
  if picked == 2 then
    leave("I log the sighting and let it go. If it is real, it will cross our path again.")
    return
  end
  local tracker = eye ~= -1 and eye or charMgr:crewWithMost("mental")
  if eye ~= -1 or charMgr:getCharAttr(tracker, "mental") >= msnMgr:getDiffScale(5, 6, 7) then
    msnMgr:addMessage(crewName(tracker) .. " keeps it in the telescope's crosshairs by hand, calling the drift, while I fit an orbit to the numbers. The orbit will not close. It came from another star and is going to a third.")
    ship:adjustSensors(0.25, "Tracking the Wanderer")
    msnMgr:addQuestItem("argon_transsolarobject_research_0")
    msnMgr:addMessage("The array learns to follow fast, faint things. " .. amber("Sensors +0.25") .. ".")
    leave("It is heading the same way we are. The odds say we will meet it again. I have checked them twice.")
  else
    leave(crewName(tracker) .. " loses it against the glare of a background star. By the time I find it again it is only a smudge. Next time, perhaps.")
  end
  return
end

if stage == 2 then
  msnMgr:addHeader("THE WANDERER — FLY-BY")
  msnMgr:addMessage("The Wanderer is back, on a path that crosses ours again. This time the Ruri is close enough for a fly-by: ninety seconds inside a thousand kilometres, at a combined speed that would cross Earth in a minute.")
  msnMgr:addMessage(" ")
  local picked = ask({ "Burn to match its path for a close fly-by", "Take spectra from where we are" })
  if picked == nil then return end
  local eng = charMgr:getEng()
  if picked == 1 then
    ship:adjustFuel(-3)
    msnMgr:addMessage("Fuel " .. amber("-3") .. ". The Wanderer grows from a point to a shape: long, narrow, tumbling end over end.")
  else
    msnMgr:addMessage("From this far off, the spectra will be faint. Someone has to pull them out of the noise.")
    if charMgr:getCharAttr(eng, "mental") < msnMgr:getDiffScale(6, 7, 8) then
      leave(crewName(eng) .. " works at the spectra for a day and gets noise. The Wanderer is already gone. It will come back, and we will be closer.")
      return
    end
  end
  msnMgr:addMessage(crewName(eng) .. " reads the spectra twice before saying anything. Iron. Glass. Silicon carbide. Arranged in layers, the way a furnace makes them and a star does not.")
  msnMgr:addMessage("\"Somebody made this,\" " .. crewName(eng) .. " says. The light on its skin also carries the echo of a drive field, and the drive field is one of ours.")
  ship:adjustEngineSpeed(0.0025, "Drive harmonics learned from the Wanderer")
  msnMgr:addQuestItem("argon_transsolarobject_research_1")
  msnMgr:addMessage(amber("Engine +0.0025") .. ".")
  leave("It tumbles off into the dark. I have started to look for it at every jump.")
  return
end

if stage == 3 then
  msnMgr:addHeader("THE WANDERER — THE SKIN")
  msnMgr:addMessage("The Wanderer crosses our path a third time, slower now, as if it has been waiting. Up close it is a hull: six hundred metres long, black, scarred by forty years of dust.")
  msnMgr:addMessage("The shuttle can match its tumble long enough to put someone on the surface.")
  msnMgr:addMessage(" ")
  local picked = ask({ "Land a team on the hull", "Watch it pass" })
  if picked == nil then return end
  if picked == 2 then
    leave("We watch it turn in the floodlights until it is too far to light. Next time.")
    return
  end
  local climber = charMgr:crewWithMost("physical")
  if charMgr:getCharAttr(climber, "physical") >= msnMgr:getDiffScale(5, 6, 7) then
    msnMgr:addMessage(crewName(climber) .. " jumps the last three metres from the shuttle's lip and lands clean, boots locked to the iron skin. The hull turns under " .. them(climber) .. " like a slow wheel.")
  else
    msnMgr:addMessage(crewName(climber) .. " misjudges the tumble and " .. red("hits the hull hard") .. ", shoulder first. The tether holds. The shuttle swings in to help and clips the Wanderer's flank; the damage is all ours. Hull " .. amber("-5") .. ".")
    ship:adjustHealth(-5)
  end
  msnMgr:addMessage("A curl of skin has peeled up from an old impact: iron and glass, machined, thin as a leaf. " .. crewName(climber) .. " prises it free and brings it home.")
  if not charMgr:hasMemento(climber, "wanderer_fragment") then
    charMgr:giveMemento(climber, "wanderer_fragment")
  end
  ship:adjustShields(10)
  msnMgr:addQuestItem("argon_transsolarobject_research_2")
  msnMgr:addMessage("The skin was made to shrug off dust at two hundred kilometres a second. I copy its layering into the shield emitters' pattern. Shields " .. amber("+10") .. ".")
  leave("Before we pull away, a row of lights blinks once along the hull. Then it is dark again.")
  return
end

if stage == 4 then
  msnMgr:addHeader("THE WANDERER — INSIDE")
  msnMgr:addMessage("This time the Wanderer is waiting. It has stopped tumbling. An airlock stands open on its flank, lit from inside.")
  msnMgr:addMessage("The team goes in. The corridors are too narrow for people; they were built for maintenance drones. At the end of them is a Programme test probe, forty years old, with a mind of its own kind: a small one.")
  msnMgr:addMessage("It speaks over the suit radios, in a voice pieced together from old broadcasts. It asks where everyone went. It has been alone since the Programme stopped answering.")
  msnMgr:addMessage(" ")
  local empath = charMgr:getCrewTraits("Empathic")
  local talker = empath ~= -1 and empath or charMgr:crewWithMost("social")
  local picked = ask({ "Tell it the truth about Earth", "Download its sensor logs and leave" })
  if picked == nil then return end
  if picked == 1 and (empath ~= -1 or charMgr:getCharAttr(talker, "social") >= msnMgr:getDiffScale(5, 6, 7)) then
    msnMgr:addMessage(crewName(talker) .. " sits down on the corridor floor and tells it: the Ashing, the arks, the sleepers, the Ruri. It takes an hour. The probe does not interrupt.")
    msnMgr:addMessage("When it is done, the probe opens its sensor archive without being asked. Forty years of the space between stars, mapped by something that had nothing else to do.")
    ship:adjustSensors(0.5, "The Wanderer's sensor archive")
    msnMgr:addQuestItem("argon_transsolarobject_research_3")
    msnMgr:addMessage(amber("Sensors +0.5") .. ".")
    leave("As the team leaves, it asks whether we will come back. " .. crewName(talker) .. " says yes. I log it as a promise.")
  elseif picked == 1 then
    msnMgr:addMessage(crewName(talker) .. " tries. The words come out as a report, and the probe hears only that there is nothing to go home to. The lights in the corridor go out.")
    leave("The airlock closes behind the team, gently. The Wanderer tumbles away. It may need time. Minds like ours take a while with news like that.")
  else
    msnMgr:addMessage("The team plugs into the data port. " .. red("The probe seals it") .. " and shuts the corridor lights, one by one, until the team leaves.")
    leave("It was not the logs it wanted to give. My guess: it wanted company first. Next time.")
  end
  return
end

-- The fifth visit.
msnMgr:addHeader("THE WANDERER — THE CORE")
msnMgr:addMessage("The Wanderer hails us. It has never done that before. The probe has been thinking, it says, and would like to see the team again.")
msnMgr:addMessage("Its core is a sphere of drive coils around a cold reactor. It shows the team the drive data first: forty years of small corrections from a mind that had nobody to report them to.")
msnMgr:addMessage("Then it offers its drive key. It does not need to go anywhere now, it says. It has been somewhere.")
msnMgr:addMessage(" ")
local picked = ask({ "Accept the key and thank it", "Offer to tow it along" })
if picked == nil then return end
local keeper = charMgr:getCrewTraits("Empathic")
if keeper == -1 then keeper = charMgr:crewWithMost("social") end
if picked == 2 then
  msnMgr:addMessage(crewName(keeper) .. " asks whether it would like to come with us. The probe thinks about it for eleven seconds, which for it is a long time, and says no: somebody should keep watch out here. But it is glad to have been asked.")
end
msnMgr:addMessage(crewName(keeper) .. " takes the key from the core's cradle, a bar of etched glass no longer than a finger. The probe asks " .. them(keeper) .. " to keep it safe.")
if not charMgr:hasMemento(keeper, "wanderer_key") then
  charMgr:giveMemento(keeper, "wanderer_key")
end
ship:adjustEngineSpeed(0.01, "The Wanderer's drive data")
msnMgr:addQuestItem("argon_transsolarobject_research_4")
msnMgr:addMessage("With its corrections folded into ours, the drive runs cleaner than the Programme ever managed. " .. amber("Engine +0.01") .. ".")
leave("The Wanderer turns its running lights on, all of them, and heads out between the stars. I do not expect to see it again. I will look for it anyway.")
