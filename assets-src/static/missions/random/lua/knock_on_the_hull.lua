-- The Knock on the Hull. Between sectors something knocks on airlock 2. Whether it comes in
-- depends on who stands at the inner door: a calm voice (an Empathic member, a Cephalopod
-- answering in colour, or a leader with the social for it) gets the door open, and a
-- Xenophobic member may reach for the vent. A visitor who is turned away ends the mission
-- unfinished, so the knock comes back later ("vodov_knocked" remembers it did); a visitor who
-- is offered a berth joins once ("vodov_aboard").

local lead = charMgr:getLead()
local eng = charMgr:getEng()

msnMgr:addHeader("THE RURI — OUTER AIRLOCK 2")

if msnMgr:hasQuestItem("vodov_aboard") then
  -- The visitor already lives aboard; the knock is a game now.
  msnMgr:addMessage("03:10 ship time. Three short knocks, two long, three short, on the inner door of airlock 2.")
  msnMgr:addMessage("This time the knocking comes from inside the lock. Our guest is sitting in it with the lights off, to see who comes.")
  msnMgr:addMessage(crewName(lead) .. " comes, in socks. The guest's skin flashes gold and the door opens from the inside.")
  msnMgr:addMessage("I have logged it as a game. It seems to be one.")
  msnMgr:endMission(true)
  return
end

local knockedBefore = msnMgr:hasQuestItem("vodov_knocked")

-- The visitor leaves. The knock may come again on a later crossing.
local function visitorGone(text)
  msnMgr:addMessage(" ")
  msnMgr:addMessage(text)
  msnMgr:addMessage("I keep the rhythm on file: three short, two long, three short. If it comes again, I will know it.")
  msnMgr:addQuestItem("vodov_knocked")
  msnMgr:endMission(false)
end

local function ventedGone(venter)
  msnMgr:addMessage(" ")
  msnMgr:addMessage(crewName(venter) .. " pulls the lever. " .. red("EMERGENCY VENT, AIRLOCK 2."))
  msnMgr:addMessage("The lock empties in one white breath. The visitor goes with it, catches the outer rim with two arms, and hangs there against the stars for a long moment. Then it lets go.")
  visitorGone("The hull camera follows it until it is smaller than a pixel. It did not try to come back in.")
end

if knockedBefore then
  msnMgr:addMessage("Between sectors, 03:10 ship time. The knock again, on the outer door of airlock 2: three short, two long, three short.")
  msnMgr:addMessage("The same rhythm as last time. Whatever it is, it followed us through a light jump. I did not know that could be done.")
else
  msnMgr:addMessage("Between sectors. The nearest star is 2.1 parsecs off and the sensors show nothing closer.")
  msnMgr:addMessage("At 03:10 ship time something knocks on the outer door of airlock 2. Three short, two long, three short. A pause. The same again.")
end
msnMgr:addMessage(" ")
if charMgr:depCrewTotal() > 1 then
  msnMgr:addMessage(crewName(lead) .. " reaches the inner door first, in socks, with the others behind. The lock camera shows the outer glass furred with frost.")
else
  msnMgr:addMessage(crewName(lead) .. " reaches the inner door alone, in socks. The lock camera shows the outer glass furred with frost.")
end
msnMgr:addMessage("Pressed into the frost is a print the size of a hand, made of rings. Suckers. Dozens of them.")
msnMgr:addMessage(" ")

local answer = ask({ "Knock back in the same rhythm", "Cycle the outer door", "Seal the deck and let it knock" })
if not answer then return end

-- The print is photographed through the inner glass before the lock cycles and the frost goes.
local function photographPrint()
  local photographer = charMgr:getCrewTraits("Observant")
  if photographer == -1 then
    photographer = lead
  end
  msnMgr:addMessage("While the frost still holds it, " .. crewName(photographer) .. " photographs the print through the inner glass.")
  if not charMgr:hasMemento(photographer, "hull_print") then
    charMgr:giveMemento(photographer, "hull_print")
  end
end

local sang = false
if answer == 3 then
  msnMgr:addMessage("I seal the deck. The knocking goes on for forty-one minutes, patient and exact.")
  visitorGone("Then it stops. The hull camera catches something pushing off from the lock into the dark, eight arms trailing.")
  return
elseif answer == 1 then
  sang = true
  msnMgr:addMessage(crewName(lead) .. " knocks on the inner door: three short, two long, three short.")
  msnMgr:addMessage("The answer comes at once and it is longer: a phrase, then the phrase again with a change at the end. It is a tune. I have it on file. It is a sea song from Earth, old enough that nobody aboard has ever sung it.")
  msnMgr:addMessage(crewName(lead) .. " looks up at the camera.")
  photographPrint()
  msnMgr:addMessage("I cycle the outer door.")
else
  photographPrint()
  msnMgr:addMessage("Then I cycle the outer door. The lock is at vacuum. The visitor does not seem to mind.")
end

-- The outer door is open: the visitor is in the lock, behind the inner glass.
msnMgr:addMessage(" ")
msnMgr:addHeader("AIRLOCK 2 — INNER GLASS")
msnMgr:addMessage("The visitor drifts in and settles on the floor of the lock like wet cloth. When the pressure comes up, it rises.")
msnMgr:addMessage("A Cephalopod, or near one. It wears a water collar made of hull hose and tape, the way the drowned-city crews wore theirs. It has too many eyes. I count eleven before it turns.")
msnMgr:addMessage("Its skin runs blue, grey, gold, blue.")


local calm = sang
local ceph = charMgr:getCrewTraits("Cephalopod")
if ceph ~= -1 then
  calm = true
  msnMgr:addMessage(crewName(ceph) .. " steps up to the glass. The skin of " .. crewName(ceph) .. " answers before any words do: the same blue, then gold. The visitor's colours slow down.")
end

-- A member who distrusts anything not from Earth may reach for the vent lever.
local xeno = charMgr:getCrewTraits("Xenophobic")
if xeno ~= -1 then
  msnMgr:addMessage(" ")
  msnMgr:addMessage(crewName(xeno) .. " has gone quiet, one hand on the emergency vent lever beside the door. The lever is manual by design. I cannot hold it shut.")
  msnMgr:addMessage("\"That is not from Earth,\" " .. crewName(xeno) .. " says. \"Nothing out here is. Open that door and it is in with the sleepers.\"")

  -- The strongest other member, for the pull; -1 when the team is one.
  local puller = -1
  for _, member in ipairs(luaMgr:aliveCrewLeft()) do
    if member ~= xeno and (puller == -1 or charMgr:getCharAttr(member, "physical") > charMgr:getCharAttr(puller, "physical")) then
      puller = member
    end
  end

  local talker = -1
  local empath = charMgr:getCrewTraits("Empathic")
  if empath ~= -1 and empath ~= xeno then
    talker = empath
  elseif lead ~= xeno then
    talker = lead
  else
    talker = puller
  end

  local pullChoice = "Pull the hand off the lever"
  if puller == -1 then
    pullChoice = { "[Second crew member] Pull the hand off the lever", locked = true }
  end
  local stand = ask({ "Talk it through", pullChoice, "Let the lock vent" })
  if not stand then return end

  if stand == 1 then
    local won = sang
    if talker ~= -1 and (charMgr:getCharTrait(talker, "Empathic")
        or charMgr:getCharAttr(talker, "social") >= msnMgr:getDiffScale(4, 5, 6)) then
      won = true
    end
    if talker == -1 then
      msnMgr:addMessage("Nobody else is at the door, so I talk. I say that the visitor knocked, and waited, and sang, and that nothing which meant us harm has ever done all three.")
    else
      msnMgr:addMessage(crewName(talker) .. " does not argue. " .. crewName(talker) .. " says what is there to see: a work collar mended with tape, a body that has been cold a long time, and a visitor that knocked first.")
    end
    if not won then
      ventedGone(xeno)
      return
    end
    msnMgr:addMessage("The hand comes off the lever. It stays near it.")
  elseif stand == 2 then
    if charMgr:getCharAttr(puller, "physical") >= charMgr:getCharAttr(xeno, "physical") then
      msnMgr:addMessage(crewName(puller) .. " takes the wrist of " .. crewName(xeno) .. " and holds it, not hard, until the arm stops pulling. Nobody says anything for a while.")
    else
      msnMgr:addMessage(crewName(puller) .. " grabs for the wrist of " .. crewName(xeno) .. " and is shrugged off like a coat.")
      ventedGone(xeno)
      return
    end
  else
    ventedGone(xeno)
    return
  end
end

-- The inner door. It takes a calm voice to open it without someone swinging at the gap.
msnMgr:addMessage(" ")
msnMgr:addMessage("The visitor waits at the inner glass, colours slow. The crew at the door are not slow: every heartbeat on the deck microphones is fast.")

local fed = false
local ration = "Pass a ration through the sample lock"
if ship:getFood() < 1 then
  ration = { "[Food 1] Pass a ration through the sample lock", locked = true }
end
local door = ask({ "Open the inner door", ration, "Turn it away" })
if not door then return end
if door == 2 then
  fed = true
  ship:adjustFood(-1)
  msnMgr:addMessage(crewName(lead) .. " passes a ration bar through the sample lock. " .. amber("Food -1."))
  msnMgr:addMessage("The visitor turns it over, peels it with great care and eats the wrapper first. Then the bar. Then it sings the sea song again, with words this time, in the accent of a coast that is under water now.")
  msnMgr:addMessage(crewName(lead) .. " laughs, once, and then looks embarrassed about it.")
  door = askAgain(choiceSetsOffered - 1)
  if not door then return end
end

if door == 3 then
  msnMgr:addMessage("I open the outer door again. The visitor looks at the crew for a long moment, with all eleven eyes, and goes.")
  visitorGone("It pushes off the hull without a sound. Nothing on the hull ever makes one.")
  return
end

local empath = charMgr:getCrewTraits("Empathic")
local needed = msnMgr:getDiffScale(5, 6, 7)
if fed then needed = needed - 2 end
if knockedBefore then needed = needed - 1 end
if empath ~= -1 or calm or charMgr:getCharAttr(lead, "social") >= needed then
  local voice = lead
  if empath ~= -1 then voice = empath end
  msnMgr:addMessage(crewName(voice) .. " talks low and slow, and keeps everyone's hands still. The inner door opens.")
else
  local flincher = charMgr:randomCrew()
  msnMgr:addMessage("The inner door opens a hand's width. " .. crewName(flincher) .. " flinches and swings a pry bar at the gap. It rings off the frame.")
  visitorGone("The visitor is gone before the echo is: out through the outer door, which I had not yet closed, and off the hull.")
  return
end

msnMgr:addMessage(" ")
msnMgr:addHeader("DECK 2 — AIRLOCK VESTIBULE")
msnMgr:addMessage("The visitor comes in on its arms and sits on the deck. Up close it smells of cold metal and machine oil. A band on one arm clicks and finds English.")
msnMgr:addMessage("\"You opened,\" it says. \"I have knocked on arks for a long time. Two did not answer. One shot at me.\"")
msnMgr:addMessage("It gives a name, twice, slowly, for my records. It asks where we are going. " .. crewName(lead) .. " tells it.")

local victim = charMgr:randomCrew()
msnMgr:addMessage("While it talks, something small and shiny leaves a pocket of " .. crewName(victim) .. ". I see it go. Nobody else does.")
msnMgr:addMessage(" ")

local seeOff = "Give it fuel and see it off"
if ship:getFuel() < 3 then
  seeOff = { "[Fuel 3] Give it fuel and see it off", locked = true }
end
local stay = ask({ "Offer it a berth", seeOff })
if not stay then return end
if stay == 2 then
  ship:adjustFuel(-2)
  msnMgr:addMessage(crewName(eng) .. " fills a salvaged canister from our lines. " .. amber("Fuel -2."))
  msnMgr:addMessage("The visitor takes it, touches the glass where its print was, and goes out the way it came. It does not knock again.")
  msnMgr:addMessage("The shiny thing from the pocket of " .. crewName(victim) .. " goes with it.")
  msnMgr:endMission(true)
  return
end

-- The one who distrusts it is the last to offer a berth, unless nobody else is there.
local host = lead
if host == xeno and charMgr:depCrewLeft() > 1 then
  host = charMgr:randomCrewIgnoringCrew(xeno)
end
if host == xeno then
  msnMgr:addMessage(crewName(host) .. " offers it a berth through clenched teeth, because I asked. Its colours go gold to the tips of all eight arms anyway.")
else
  msnMgr:addMessage(crewName(host) .. " offers it a berth. Its colours go gold to the tips of all eight arms.")
end
charMgr:newCrew("Vodov Daveze")
luaMgr:unlockAchievement("add_alien")
msnMgr:addQuestItem("vodov_aboard")
msnMgr:removeQuestItem("vodov_knocked")
msnMgr:addMessage("I add a line to the roster. The new crew member asks for a bunk near the water tanks and a door that locks.")
if xeno ~= -1 and xeno ~= host then
  msnMgr:addMessage(crewName(xeno) .. " says nothing at all, and moves to a bunk at the far end of the deck.")
end
msnMgr:addMessage("At breakfast the visitor gives the shiny thing back to " .. crewName(victim) .. ", polished, with a small bow.")
charMgr:giveMemento(victim, "vodov_gift")
msnMgr:endMission(true)
