-- The Lifeboat. A Kittiwake lifeboat drifts across our course with one sleeper left in a
-- failing pod. The engineer can pull the boat's log (and learn who he is); the medic's mental
-- decides whether the thaw is safe, and without a good medic it is a coin toss. The sleeper
-- joins once per run ("dorov_aboard"). Leaving the boat ends the mission unfinished, so the
-- beacon can be heard again ("kittiwake_heard").

local lead = charMgr:getLead()
local med = charMgr:getMed()
local eng = charMgr:getEng()

msnMgr:addHeader("KITTIWAKE LIFEBOAT 4 — DOCKING COLLAR")

if msnMgr:hasQuestItem("dorov_aboard") then
  -- The boat's last sleeper is already with us; this is one of its sister boats.
  msnMgr:addMessage("Another Kittiwake lifeboat, number 6, tumbling slowly across our course. Its beacon stopped years ago.")
  msnMgr:addMessage(crewName(lead) .. " looks in through the collar camera. Every pod is open and empty, the blankets folded.")
  msnMgr:addMessage("Whoever rode it went somewhere on their own. I log the boat's number and we leave it to the dark.")
  msnMgr:endMission(true)
  return
end

local heardBefore = msnMgr:hasQuestItem("kittiwake_heard")

if heardBefore then
  msnMgr:addMessage("The Kittiwake beacon again, on the Programme's distress band. The lifeboat has drifted 0.4 parsecs since we left it.")
  msnMgr:addMessage("The cold pod is colder. Its battery reads 1%.")
else
  msnMgr:addMessage("A distress beacon on the Programme's band, weak and steady. By its own count it has been calling for eleven years.")
  msnMgr:addMessage("The source is a lifeboat of the ark Kittiwake, turning once every four minutes. Eight pods. Seven read empty. One reads cold, on a battery at 3%.")
end
msnMgr:addMessage(" ")

local knowsWho = false
local first = ask({ "Dock and board the lifeboat", "Pull the boat's log over the link", "Leave it drifting" })
if not first then return end

if first == 2 then
  msnMgr:addMessage(crewName(eng) .. " plugs into the boat's link from our side of the collar and starts coaxing.")
  if charMgr:getCharAttr(eng, "mental") >= msnMgr:getDiffScale(4, 5, 6) then
    knowsWho = true
    msnMgr:addMessage("The log is short. " .. amber("\"Kittiwake drive lost day 212. All boats away. Boat 4 heater failed day 219. Seven of us crossed to Boat 2, which has a drive. Pod 8 could not be moved without waking him, and waking him here would kill him. Beacon set. Someone will come. — T. Abara, boat officer.\""))
    msnMgr:addMessage("The pod's tag is one line: " .. amber("\"Pod 8. Z., D. Atmospheric chemistry. Catalyst programme.\""))
    msnMgr:addMessage("The catalyst programme seeded the upper air and turned Earth's sky brown. " .. crewName(eng) .. " reads the line twice and does not say anything.")
  else
    msnMgr:addMessage(crewName(eng) .. " gets the log's header and then noise. The boat's memory has frozen and cracked like everything else aboard it.")
  end
  msnMgr:addMessage(" ")
  first = askAgain(choiceSetsOffered - 1)
  if not first then return end
end

if first == 3 then
  msnMgr:addMessage("I log the beacon's frequency and let the boat turn on. It will be calling for a while yet.")
  msnMgr:addMessage("I will hear it if we pass this way again. I will not be able to stop hearing it, in fact. That is how beacons work.")
  msnMgr:addQuestItem("kittiwake_heard")
  msnMgr:endMission(false)
  return
end

msnMgr:addMessage(" ")
msnMgr:addHeader("LIFEBOAT 4 — POD BAY")
msnMgr:addMessage(crewName(lead) .. " goes through the collar first. Frost on every surface. Seven pods stand open, their blankets folded. Somebody took the time to fold them.")
msnMgr:addMessage("Pod 8 is sealed. Through the frosted lid: a man of fifty or so, thin, one hand closed flat against his chest.")
msnMgr:addMessage("The pod is failing. " .. red("Core temperature rising 0.2 degrees a minute.") .. " It will thaw him on its own within the hour, and badly.")
msnMgr:addMessage(" ")

local safeMental = msnMgr:getDiffScale(4, 5, 6)
local byTheBook = "Thaw him by the book"
if charMgr:getCharAttr(med, "mental") < safeMental then
  byTheBook = { "[Mental " .. safeMental .. "] Thaw him by the book", locked = true }
end
local thaw = ask({ byTheBook, "Crack the pod and warm him fast", "Leave him to the pod" })
if not thaw then return end

-- Switching the beacon off closes the boat's story, whatever happened to its sleeper.
local function beaconOff()
  msnMgr:addMessage(crewName(eng) .. " finds the beacon under a panel by the hatch and switches it off. Eleven years, and then quiet.")
  if not charMgr:hasMemento(eng, "kittiwake_beacon") then
    charMgr:giveMemento(eng, "kittiwake_beacon")
  end
end

if thaw == 3 then
  if knowsWho then
    msnMgr:addMessage("Nobody says the word catalyst. Nobody has to.")
  end
  msnMgr:addMessage(crewName(lead) .. " stays by the pod until the readout goes flat. It takes thirty-one minutes. The hand on his chest never opens.")
  beaconOff()
  msnMgr:addMessage("We leave Boat 4 tumbling, dark, one pod closed. I have added its position to the flight's list of graves.")
  msnMgr:endMission(true)
  return
end

if thaw == 1 then
  msnMgr:addMessage(crewName(med) .. " works for fifty minutes: warm saline, the slow cycle, a palm on his sternum when his heart stumbles at thirty degrees. It steadies.")
else
  local hands = med
  msnMgr:addMessage(crewName(hands) .. " breaks the seal and gets blankets and heat on him as fast as the frost allows.")
  if msnMgr:random() % 2 ~= 0 then
    msnMgr:addMessage("His heart stops at thirty degrees. " .. crewName(hands) .. " works on him for twenty minutes. It does not start again.")
    msnMgr:addMessage("In his hand is a photograph. " .. crewName(lead) .. " closes the lid over it.")
    beaconOff()
    msnMgr:addMessage("We leave Boat 4 tumbling, dark. I have added its position to the flight's list of graves.")
    msnMgr:endMission(true)
    return
  end
  msnMgr:addMessage("His heart stops once, at thirty degrees, and starts again on its own. Luck. I do not have a better word for it.")
end

msnMgr:addMessage(" ")
msnMgr:addHeader("LIFEBOAT 4 — POD 8")
msnMgr:addMessage("He wakes holding a photograph: a woman and two children on a grey beach.")
msnMgr:addMessage("\"Is this Ellison?\" he asks. It is not. \"Mira went ahead on the Halden, with the children. I was to follow on the Kittiwake.\"")
if knowsWho then
  msnMgr:addMessage("He sees " .. crewName(lead) .. " reading his pod tag and says it before anyone can ask. \"Yes. The catalyst. I ran the numbers that said it would stop.\" He does not say anything else for a long time.")
else
  msnMgr:addMessage("He gives his name and his trade, atmospheric chemist, and nothing about where he worked.")
end

local empath = charMgr:getCrewTraits("Empathic")
if empath ~= -1 then
  msnMgr:addMessage(crewName(empath) .. " sits with him on the cold deck until the shaking stops, and does not ask about the photograph.")
else
  msnMgr:addMessage("Nobody quite knows what to say to him. " .. crewName(lead) .. " finds him a dry jacket, which is close enough.")
end

charMgr:newCrew("Dorov Zivuv")
luaMgr:unlockAchievement("add_dorov")
msnMgr:addQuestItem("dorov_aboard")
msnMgr:removeQuestItem("kittiwake_heard")
msnMgr:addMessage("I add him to the roster. He asks which way Ellison 2e lies, and looks that way for a while.")
beaconOff()
msnMgr:endMission(true)
