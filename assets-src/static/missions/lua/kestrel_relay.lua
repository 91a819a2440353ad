-- Kestrel Relay: the first landing. The team crosses to a dead Programme relay, opens its chart
-- vault by power, by the duty officer's notes or by force, and carries out the charts that name
-- both destinations. Forcing the door can open a breach that takes a team member.

local size = charMgr:depCrewTotal()
local lead = charMgr:getLead()
local eng = charMgr:getEng()

msnMgr:addHeader("KESTREL RELAY — DOCKING RING")
say("The relay turns slowly against the stars. No running lights. No answer on any Programme band. Its last battery report is thirty-one years old.")
say("The docking clamps are frozen open, so I hold the Ruri two metres off the ring while " .. crewName(lead) .. " takes the team across on a line.")
say("Inside the lock: frost on the inner glass, 0.2 atmospheres, minus forty-one. Helmet lamps only. Their breathing is loud on the suit channel.")
-- The surgeon keeps an ear on the crew member whose lungs the ash got to.
local cougher = charMgr:getCrewTraits("Weak")
local doctor = charMgr:getCrewTraits("Surgeon")
if cougher >= 0 and doctor >= 0 and cougher ~= doctor then
  say(crewName(cougher) .. " coughs twice on the suit channel and makes a joke about it. " .. crewName(doctor) .. " does not laugh, and quietly turns up the oxygen in " .. crewName(cougher) .. "'s suit from the wrist panel.")
end
gap()

-- Someone stays by the airlock to keep the line clear: the one the climb would tire most, and
-- never the leader or the engineer, who are needed at the vault.
local watcher = -1
local weakest = 99
for _, i in ipairs(luaMgr:aliveCrewLeft()) do
  local body = charMgr:getCharAttr(i, "physical")
  if i ~= lead and i ~= eng and body < weakest then
    watcher, weakest = i, body
  end
end
local mess = "The corridor opens into the relay's mess. Six chairs, one table, a Programme mug frozen to the duty console. "
if watcher >= 0 then
  say(mess .. crewName(watcher) .. " stays here to watch the airlock and the line back to me.")
elseif size >= 2 then
  say(mess .. "Nobody can be spared to wait here. The team goes on together and leaves the line clipped to the door.")
else
  say(mess .. crewName(lead) .. " goes on alone. I talk more than usual on the suit channel.")
end
gap()

msnMgr:addHeader("KESTREL RELAY — CHART VAULT")
say("The chart vault sits at the relay's core behind a pressure door. The reader beside it is dark. A lock-out tag hangs from the handle, signed by the duty officer: the door was sealed on purpose.")
say("My scan shows air on the far side. Not much. Enough to push.")

local needMind = msnMgr:getDiffScale(5, 6, 7)
local engMind = charMgr:getCharAttr(eng, "mental")
local observer = charMgr:getCrewTraits("Observant")

local pick = ask({
  { "[Mental " .. needMind .. "] Wake the door's power cell", locked = engMind < needMind },
  { "[Observant] Search the duty officer's desk", locked = observer < 0 },
  "Force the door",
})
if pick == nil then return end

local opener = lead
if pick == 1 then
  opener = eng
  say(crewName(eng) .. " opens the reader's housing and wires it to a suit battery, one contact at a time, gloves off for the last two. Forty seconds in vacuum cold is the limit. It takes thirty.")
  say("The reader blinks amber. The door hisses, equalises and rolls aside. The duty officer's keycard is still in the slot.")
elseif pick == 2 then
  opener = observer
  if observer == watcher then
    say("In the mess, " .. crewName(observer) .. " has been looking at the duty desk all this time, and now lifts its blotter. Under it: a card with six digits, and a note.")
  else
    say(crewName(observer) .. " goes back to the mess and lifts the blotter on the duty desk. Under it: a card with six digits, and a note.")
  end
  say("\"If anyone comes: the charts are in drawer four. I sealed the door so the air would keep them. Sorry about the coffee.\"")
  say("The keypad takes the code on the manual crank. The door opens a hand's width at a time, slow and polite. The duty officer's keycard is clipped to the note.")
else
  local strongest = charMgr:crewWithMost("physical")
  local reckless = charMgr:getCrewTraits("Reckless")
  if reckless == watcher then reckless = -1 end -- waiting in the mess, far from the door
  local pull = charMgr:totalAttr("physical")
  local needPull = msnMgr:getDiffScale(9, 11, 13)
  opener = strongest
  if reckless < 0 and pull >= needPull then
    say("The team braces on the frame and turns the manual crank together. It gives a notch at a time. At a hand's width the trapped air sighs out past them and is gone. Nobody lets go.")
    say("The door stands open. The frame is bent, but it held.")
  else
    local victim
    if reckless >= 0 then
      victim = reckless
      say(crewName(reckless) .. " does not wait for the crank. One kick at the lock bar, then a second. The bar snaps.")
    else
      -- Whoever stands nearest the seam; the one in the mess is out of it.
      victim = watcher >= 0 and charMgr:randomCrewIgnoringCrew(watcher) or charMgr:randomCrew()
      say("The crank will not turn far enough. " .. crewName(strongest) .. " jams a pry bar in the seam and leans on it.")
    end
    say(red("The door blows outward.") .. " The vault's air goes past in one white gust and takes loose panels with it. The outer wall behind the vault cracks along a weld. " .. crewName(victim) .. " is in the way.")
    local steady = charMgr:getCharTrait(victim, "Lucky") or charMgr:getCharTrait(victim, "Tough")
      or charMgr:getCharAttr(victim, "physical") >= msnMgr:getDiffScale(6, 7, 8)
    if steady then
      say(crewName(victim) .. " hits the crack, catches the lip with one glove and holds on until the gust is spent. The suit reads a scratch on the visor and a heart rate of 164. Nothing worse.")
    else
      say(crewName(victim) .. " is pulled through the crack with the panels. The line parts. I track the suit beacon for eleven minutes, then it is too far for me to reach.")
      msnMgr:killCrew(victim, "<charName> was lost through a breach in the Kestrel Relay's chart vault.")
    end
  end
end
gap()

if not charMgr:crewOnShipLeft() then
  say(red("No one answers on the suit channel, and no one is left aboard to answer mine."))
  msnMgr:setEndScreen("ending_silence.png")
  msnMgr:endGame(false)
  return
end
if charMgr:depCrewLeft() == 0 then
  say("The vault stands open. There is nobody left on the relay to carry the charts out. I mark the station and pull the Ruri off the ring. Someone will have to come back.")
  msnMgr:endMission(false)
  return
end

if pick ~= 3 then
  if alive(opener) then charMgr:giveMemento(opener, "kestrel_keycard") end
end

msnMgr:addHeader("KESTREL RELAY — THE CHARTS")
say("Drawer four. Plastic chart strips in sleeves, forty of them, the Programme's survey of every system within twelve parsecs.")
say("One strip has a circle drawn on it in grease pencil, pressed hard enough to score the plastic. Drake 77. Under the circle someone wrote \"HOME?\" and then crossed out the question mark.")
local carrier = charMgr:crewIsAlive(lead) and lead or anyoneAlive()
if alive(carrier) then charMgr:giveMemento(carrier, "survey_chart") end
say(crewName(carrier) .. " rolls that strip into a sleeve and keeps it.")
gap()
say("The relay's intercept log is on paper, because paper does not need a battery. The last page is the same line forty times: a beacon, repeating, from " .. amber("Ellison 2e") .. ". The duty officer wrote beside it: \"Not a Programme signal. Halden?\"")
say("I copy the charts into my navigation store. " .. amber("Sensors +0.25") .. ". Two names are now on my map that were not there this morning.")
ship:adjustSensors(0.25, "Kestrel Relay survey charts")
msnMgr:addQuestItem("kestrel_charts")
gap()

say("The relay's reactor is cold, but its fuel cells may still hold some charge.")
local engNow = charMgr:crewIsAlive(eng) and eng or charMgr:crewWithMost("mental")
local engSkill = charMgr:getCharAttr(engNow, "mental")
local strip = ask({ "Strip the reactor's fuel cells", "Leave the relay as it is" })
if strip == nil then return end
if strip == 1 then
  if engSkill >= msnMgr:getDiffScale(4, 5, 6) then
    say(crewName(engNow) .. " bleeds the cells one by one into a transfer bottle. Slow work, and clean. " .. amber("Fuel +6") .. ".")
    ship:adjustFuel(6)
  else
    say(crewName(engNow) .. " gets three cells out. The fourth vents as it comes loose and sprays the Ruri's flank with frozen slurry. " .. amber("Fuel +3, hull -5") .. ".")
    ship:adjustFuel(3)
    ship:adjustHealth(-5)
  end
else
  say(crewName(carrier) .. " puts the lock-out tag back on the vault handle. Nobody asks why.")
end
gap()

if watcher >= 0 and charMgr:crewIsAlive(watcher) then
  say("At the airlock, " .. crewName(watcher) .. " is waiting with the mug from the duty console, chipped free at last. The coffee ring is still inside it.")
  if alive(watcher) then charMgr:giveMemento(watcher, "relay_mug") end
end
say("The team crosses back on the line. I close the outer door behind them and let the relay turn away.")
msnMgr:endMission(true)
