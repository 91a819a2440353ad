-- The Early Riser. A sleeper wakes years early in the Ruri's own bay. Putting her straight back
-- under takes a steady medic (a shaky one costs a coolant line and fuel); letting her sit a
-- while takes someone good with people, and whoever soothes her keeps her bracelet.

local lead = charMgr:getLead()
local med = charMgr:getMed()
local eng = charMgr:getEng()

msnMgr:addHeader("THE RURI — CRYONICS BAY, ROW 31")
msnMgr:addMessage(amber("POD 31-114: LID OPEN.") .. " I keep the alarm quiet. There are 2,139 other people in this bay and none of them should wake to it.")
msnMgr:addMessage("The sleeper is a woman of about seventy, grey hair cropped for the pod, a cryo bracelet on her wrist. She has wedged herself between two coolant manifolds with a torque wrench in both hands.")
msnMgr:addMessage("Her teeth are chattering loudly enough for the bay microphones to pick up.")
msnMgr:addMessage(" ")
msnMgr:addMessage(crewName(med) .. " reaches the bay first, with a thermal blanket.")
msnMgr:addMessage("\"Where is this,\" she says. \"Who are you. Where are the others.\"")

-- The visitor from the airlock frightens her more than the rest of us put together.
local visitor = charMgr:getCrewByName("Vodov Daveze")
if visitor ~= -1 then
  msnMgr:addMessage("Then she sees " .. crewName(visitor) .. ", and the wrench comes up. " .. crewName(visitor) .. " folds all eight arms and sinks to the deck, colours gone grey. I think it is meant to look small. It does, nearly.")
end
msnMgr:addMessage(" ")

local counselor = charMgr:getCrewTraits("Counselor")
local talkDown = "Talk her through it, slowly"
if counselor == -1 then
  talkDown = { "[Counselor] Talk her through it, slowly", locked = true }
end
local pick = ask({ "Sedate her and put her back under", "Let her sit a while", talkDown })
if not pick then return end

-- Whoever calms her keeps the bracelet she presses on them.
local function bracelet(holder)
  msnMgr:addMessage("Before she goes back under she works the bracelet off her wrist and presses it into the hand of " .. crewName(holder) .. ". \"Keep it. I will get a new one when we land. Tell them to wake me first.\"")
  if not charMgr:hasMemento(holder, "sleeper_bracelet") then
    charMgr:giveMemento(holder, "sleeper_bracelet")
  end
  msnMgr:addMessage("The lid closes on pod 31-114. The frost comes back up the glass in about four minutes.")
end

if pick == 1 then
  if charMgr:getCharAttr(med, "mental") >= msnMgr:getDiffScale(4, 5, 6) then
    msnMgr:addMessage(crewName(med) .. " talks about nothing in particular, gets close, and has the injector against her neck before the wrench comes up. She goes under in the middle of a word.")
    msnMgr:addMessage("Back in the pod, her readings settle in nine minutes. She will not remember any of this. That is the point of the drug.")
  else
    msnMgr:addMessage(crewName(med) .. " comes in too fast. The wrench comes up and down, once, and misses everything except a coolant line.")
    if ship:getFuel() >= 3 then
      msnMgr:addMessage(red("COOLANT LOSS, ROW 31.") .. " I run the bay chillers harder to hold the row while the line is clamped. " .. amber("Fuel -2."))
      ship:adjustFuel(-2)
    else
      msnMgr:addMessage(red("COOLANT LOSS, ROW 31.") .. " The tanks are too low to run the chillers harder, so I borrow the power from the shields while the line is clamped. " .. amber("Shields -10."))
      ship:adjustShields(-10)
    end
    msnMgr:addMessage("The second attempt works. She goes under swearing, in a language I have on file but that nobody aboard speaks.")
  end
elseif pick == 2 then
  local sitter = charMgr:crewWithMost("social")
  msnMgr:addMessage(crewName(sitter) .. " sits down on the deck a few metres away, back to the pods, and says nothing for a while.")
  if ship:getFood() < 1 then
    msnMgr:addMessage("After a while, a cup of warm water slides across the deck toward her. There is no food aboard to offer, and " .. crewName(sitter) .. " says so.")
  elseif charMgr:getCharTrait(sitter, "Gluttonous") and ship:getFood() >= 2 then
    msnMgr:addMessage(crewName(sitter) .. " has brought a proper bowl of fish soup from the galley, not a ration bar. It is a good idea and an expensive one. " .. amber("Food -2."))
    ship:adjustFood(-2)
  else
    msnMgr:addMessage("After a while, a ration bar slides across the deck toward her. " .. amber("Food -1."))
    ship:adjustFood(-1)
  end
  if charMgr:getCharAttr(sitter, "social") >= msnMgr:getDiffScale(4, 5, 6)
      or charMgr:getCharTrait(sitter, "Genial") or charMgr:getCharTrait(sitter, "Empathic") then
    msnMgr:addMessage("She eats. She asks if the sky is still brown. " .. crewName(sitter) .. " tells her we are too far away to see, which is true, and that there are two worlds on the charts ahead, which is also true.")
    msnMgr:addMessage("The wrench goes down. The shaking stops some time after that.")
    if visitor ~= -1 and visitor ~= sitter then
      msnMgr:addMessage("Much later she asks what the grey thing in the corner is. " .. crewName(visitor) .. " sings her a song her grandmother knew. She falls asleep before it ends.")
    end
    bracelet(sitter)
  else
    if sitter == med then
      msnMgr:addMessage("She eats, but she does not come out. " .. crewName(sitter) .. " waits three hours. In the end the cold does what talking could not, and the injector goes in while she sleeps sitting up.")
    else
      msnMgr:addMessage("She eats, but she does not come out. " .. crewName(sitter) .. " waits three hours. In the end the cold does what talking could not, and " .. crewName(med) .. " puts her under while she sleeps sitting up.")
    end
  end
else
  if charMgr:getCharTrait(counselor, "Disabled") then
    msnMgr:addMessage(crewName(counselor) .. " kneels, which takes a moment with the leg brace, and tells her the truth in order: the ship, the flight, the year, the distance, the reason she is cold.")
  else
    msnMgr:addMessage(crewName(counselor) .. " kneels and tells her the truth in order: the ship, the flight, the year, the distance, the reason she is cold.")
  end
  msnMgr:addMessage("She asks for a list of the sleepers who will be woken first. " .. crewName(counselor) .. " promises to put her name on it, and asks for her name. She has to think before she can remember it.")
  msnMgr:addMessage("The wrench goes down.")
  bracelet(counselor)
end

msnMgr:addMessage(" ")
msnMgr:addMessage(crewName(eng) .. " opens the base panel of pod 31-114 to see why it woke her.")
if charMgr:getCharAttr(eng, "mental") >= msnMgr:getDiffScale(5, 6, 7) then
  msnMgr:addMessage("A thermal relay failed shut. " .. crewName(eng) .. " finds the batch number, finds the same batch in forty other pods, and swaps every one of them before the shift ends.")
else
  msnMgr:addMessage("Nothing looks wrong. " .. crewName(eng) .. " replaces the whole controller and logs it. I will watch row 31 more closely from now on.")
end
msnMgr:endMission(true)
