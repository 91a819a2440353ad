-- The Old Broadcast. The sensors catch the Ruri's own launch broadcast. Each member of the team
-- hears the line they said at launch (chosen by their profession or kind; the two who joined on
-- the way are not on it). Played for the ship it costs a feast; cleaned up by a sharp engineer
-- it gives up the Programme's last star catalogue.

local lead = charMgr:getLead()
local eng = charMgr:getEng()

msnMgr:addHeader("THE RURI — BRIDGE, COMMUNICATIONS")
msnMgr:addMessage("A signal on the Programme's old band, faint and slow, stretched thin by forty years of travel. I know the carrier. It is ours.")
msnMgr:addMessage("It is the broadcast of the Ruri's launch. The countdown from the control room. A brass band, slightly flat. Then the roll call of the waking crew, one sentence each, for the people who stayed behind.")
msnMgr:addMessage(" ")

-- The line a member said at launch, by what they are. Those who joined on the way were not there.
local joinedLater = {}
local visitor = charMgr:getCrewByName("Vodov Daveze")
if visitor ~= -1 then
  joinedLater[visitor] = " is not on the recording, and hums along with the band anyway, a beat ahead of it. Nobody asks how."
end
local sleeper = charMgr:getCrewByName("Dorov Zivuv")
if sleeper ~= -1 then
  joinedLater[sleeper] = " is not on the recording. The Kittiwake launched nine days before us, and the question comes quietly: do I have that broadcast too? I do not."
end

local launchLines = {
  { "Soldier", "says \"Ready.\" Nothing else. Listening now, %s nods along with it." },
  { "Comedian", "tells a joke about the catering. It is a bad joke. %s mouths the punchline with the recording, and winces." },
  { "Surgeon", "says \"I will keep them breathing. All of them.\" %s listens with both hands round a cup and does not drink from it." },
  { "Farmer", "reads out the seed stores, by weight, to the gram. %s checks the figures against a pocket notebook. They still match." },
  { "Mechanic", "says \"Engines are good. Tell my brother the engines are good.\" %s turns the volume down, then back up." },
  { "Athlete", "says \"First one down, I promise.\" %s grins at the speaker as if it could see." },
  { "Counselor", "says \"Two thousand, one hundred and forty. Every one of them has a name.\" %s reads them to the sleepers, some nights. I have heard it." },
  { "Gluttonous", "asks the control room, on air, what is for dinner. Listening now, %s would still like to know." },
  { "Stubborn", "corrects the director's distance to Drake 77, on air, politely and at length. %s has not changed the figure since." },
  { "Avian", "complains about the heating in the launch hall, which was too warm. %s stands by it." },
  { "Cephalopod", "says \"Goodbye, sea.\" The translating band could not carry the colours that went with it. %s shows them to me now." },
  { "Observant", "reads out the launch time to the second, then corrects it by a second. %s nods: still right." },
}

for _, member in ipairs(luaMgr:aliveCrewLeft()) do
  if joinedLater[member] then
    msnMgr:addMessage(crewName(member) .. joinedLater[member])
  else
    local said = nil
    for _, entry in ipairs(launchLines) do
      if not entry.used and charMgr:getCharTrait(member, entry[1]) then
        said = entry[2]
        entry.used = true
        break
      end
    end
    if said then
      msnMgr:addMessage("The younger voice of " .. crewName(member) .. " " .. string.format(said, crewName(member)))
    else
      msnMgr:addMessage("The younger voice of " .. crewName(member) .. " recites the crew oath from the training manual, word for word, a little too fast.")
    end
  end
end

msnMgr:addMessage(" ")
msnMgr:addMessage("At the end the director reads out my first log line: " .. amber("\"Ruri mind online. All systems nominal. Hello.\"") .. " I had forgotten I said hello.")
msnMgr:addMessage("Then: \"Six arks ahead of you, Ruri. The Halden reports all well. Good luck.\" Then the band again.")
msnMgr:addMessage(" ")

local pick = ask({ "Play it for the whole ship", "Clean up the signal and archive it", "Let it pass" })
if not pick then return end

if pick == 3 then
  msnMgr:addMessage("I let it pass. The signal goes on past us toward stars nobody aboard will reach, carrying the band and our younger voices.")
  msnMgr:addMessage("I keep no copy. That was the point of choosing.")
  msnMgr:endMission(true)
  return
end

local keeper = lead
if pick == 1 then
  msnMgr:addMessage("I play it on every speaker in the ship. The crew gathers in the mess without anyone calling them.")
  if ship:getFood() >= 2 then
    msnMgr:addMessage("Somebody opens the good tins. Nobody stops them. " .. amber("Food -2."))
    ship:adjustFood(-2)
  else
    msnMgr:addMessage("Somebody goes to open the good tins and finds there are none left. They listen hungry. It is still worth it.")
  end
  keeper = charMgr:crewWithMost("social")
  msnMgr:addMessage("When the band ends, " .. crewName(keeper) .. " asks me for a copy, to keep.")
else
  keeper = eng
  msnMgr:addMessage(crewName(eng) .. " spends the night on it, peeling forty years of noise off the carrier.")
  if charMgr:getCharAttr(eng, "mental") >= msnMgr:getDiffScale(5, 6, 7) then
    msnMgr:addMessage("Under the band there is a sideband nobody was meant to hear: the Programme's last star catalogue update, sent after us in case we needed it. We do.")
    ship:adjustSensors(0.25, "Star catalogue from the launch broadcast")
    msnMgr:addMessage(amber("Sensors +0.25."))
  else
    msnMgr:addMessage("The signal comes out clean enough to hear every breath in the roll call. The band is still flat. That part was never noise.")
  end
  msnMgr:addMessage(crewName(eng) .. " keeps a copy of the finished recording.")
end

if not charMgr:hasMemento(keeper, "launch_broadcast") then
  charMgr:giveMemento(keeper, "launch_broadcast")
end
msnMgr:endMission(true)
