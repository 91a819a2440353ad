-- The Narrows: the last fuel depot before the long jump, held by the starving crew of the ark
-- Meridian. The team trades food for fuel, offers them a berth in the cryonics bay, or takes the
-- fuel by force. Every way out leaves the Ruri with at least 30 fuel, and the crew argues over
-- the two destinations now in range.

-- Fills the tanks to at least `target` and says by how much.
local function fuelTo(target)
  local missing = target - ship:getFuel()
  if missing > 0 then
    ship:adjustFuel(missing)
    say("The depot's hose runs for forty minutes. " .. amber("Fuel +" .. missing) .. ", tanks at " .. ship:getFuel() .. ".")
  else
    say("The Ruri's tanks were nearly full already; the depot tops them off.")
  end
end

local lead = charMgr:getLead()
local med = charMgr:getMed()

msnMgr:addHeader("THE NARROWS — THE DEPOT")
say("The depot rides the storm bands of a gas giant: a cluster of tanks and one habitat ring, carried along at nine hundred kilometres an hour. The bands below are brown and white and never still.")
say("My hail is answered in four seconds. \"Ruri? This is Oduya, captain of the Meridian. What is left of it. Dock at ring two. Bring food if you have any.\"")
gap()
say("Twenty-six people meet the team at the lock, and the captain makes twenty-seven. Thin faces. Clean coveralls. The Meridian's bay failed three years ago with all its sleepers in it. Since then they have lived on the depot's stores, and the stores ran out forty days ago.")
say("The depot's tanks read " .. amber("ninety percent full") .. ". They have fuel and no food. The Ruri has " .. amber(math.max(ship:getFood(), 0) .. " food") .. " and " .. amber(ship:getFuel() .. " fuel") .. ".")
if msnMgr:hasQuestItem("tamsin_log") then
  say("Oduya asks after the Tamsin. " .. crewName(lead) .. " tells her what the recorder said. She closes her eyes for a moment, and nods.")
end
gap()

-- A trade needs something to trade.
local larder = ship:getFood() >= 5
local pick = ask({
  { larder and "Trade food for fuel" or "[5 food] Trade food for fuel", locked = not larder },
  "Offer them a berth in the cryonics bay",
  "Take the fuel by force",
})
if pick == nil then return end
gap()

local tokenHolder = lead
local fought = false
if pick == 1 then
  msnMgr:addHeader("THE NARROWS — THE TRADE")
  local word = charMgr:getCharAttr(lead, "social")
  local helper = charMgr:getCrewTraits("Comedian")
  if helper < 0 then helper = charMgr:getCrewTraits("Genial") end
  if helper >= 0 and helper ~= lead then
    say(crewName(helper) .. " has the Meridian's people laughing inside ten minutes, which does more for the bargaining than anything " .. crewName(lead) .. " can say.")
    word = word + 2
  end
  local cost
  if word >= msnMgr:getDiffScale(5, 6, 7) then
    cost = 10
    say(crewName(lead) .. " and Oduya settle it across the empty galley table: ten days of food for as much fuel as the Ruri can carry. They shake on it.")
  else
    cost = 20
    say("Oduya bargains like someone with twenty-six hungry people behind her. " .. crewName(lead) .. " gives more than planned: twenty days of food.")
  end
  cost = math.min(cost, math.max(ship:getFood(), 0))
  if cost > 0 then
    ship:adjustFood(-cost)
    say(amber("Food -" .. cost) .. ".")
  end
  fuelTo(40)
  say("When it is done, Oduya cuts the Meridian's patch off her own shoulder and presses it into " .. crewName(lead) .. "'s hand.")
  if alive(lead) then charMgr:giveMemento(lead, "meridian_patch") end
  say("She also gives us the Meridian's recognition codes. \"If you meet the Halden, they will know this ship's name.\"")
  msnMgr:addQuestItem("meridian_friends")
elseif pick == 2 then
  msnMgr:addHeader("THE NARROWS — THE BERTH")
  local voice = charMgr:getCrewTraits("Counselor")
  if voice < 0 then voice = charMgr:getCrewTraits("Empathic") end
  if voice < 0 then voice = lead end
  say(crewName(voice) .. " makes the offer: the Ruri's bay has room. They can sleep, and wake wherever we wake. Nobody will have to go hungry on the way.")
  say("Oduya looks round at her people for a long time. Then she takes a brass compass out of her pocket, checks it out of old habit, and gives it to " .. crewName(voice) .. ". \"I won't need north where we're going.\"")
  if alive(voice) then charMgr:giveMemento(voice, "oduya_compass") end
  tokenHolder = voice
  say("They bring the depot's whole reserve aboard before they go under.")
  fuelTo(45)
  local medSkill = charMgr:getCharAttr(med, "mental")
  if medSkill >= msnMgr:getDiffScale(5, 6, 7) then
    say(crewName(med) .. " puts all twenty-seven under, one by one, checking each heart twice. Twenty-seven pods read green. " .. amber("Sleepers aboard: 2,167") .. ".")
  else
    say(crewName(med) .. " puts them under one by one. The Meridian's old chief engineer is too weak for the cold; her heart stops on the second minute. Twenty-six pods read green. " .. amber("Sleepers aboard: 2,166") .. ".")
  end
  msnMgr:addQuestItem("meridian_passengers")
  msnMgr:addQuestItem("meridian_friends")
else
  msnMgr:addHeader("THE NARROWS — THE FIGHT")
  say("The team walks to the pump room and does not stop when Oduya tells it to. The Meridian's people have tools and nothing to lose.")
  local soldier = charMgr:getCrewTraits("Soldier")
  if soldier < 0 then soldier = charMgr:getCrewTraits("Violent") end
  local victim = charMgr:crewWithLeast("physical")
  if soldier >= 0 and soldier ~= victim then
    say(crewName(soldier) .. " goes through the pump room door first and keeps the others behind. Three of the Meridian's people go down and do not get up. " .. crewName(victim) .. " takes a wrench on the arm and keeps the arm.")
  elseif charMgr:getCharTrait(victim, "Lucky") then
    say("It is short and ugly. Two of the Meridian's people die on the pump room floor. A cutting torch misses " .. crewName(victim) .. " by the width of a hand.")
  else
    say(red("It is short and ugly.") .. " Two of the Meridian's people die on the pump room floor, and so does " .. crewName(victim) .. ", struck down by a pry bar from behind.")
    msnMgr:killCrew(victim, "<charName> was killed in the fight for the fuel depot at the Narrows.")
  end
  say("Oduya opens the valves herself after that. She does not look at any of us.")
  msnMgr:addQuestItem("meridian_blood")
  fought = true
  if not charMgr:crewOnShipLeft() then
    say(red("The Ruri drifts at the dock with nobody awake aboard."))
    msnMgr:setEndScreen("ending_silence.png")
    msnMgr:endGame(false)
    return
  end
  fuelTo(40)
  tokenHolder = charMgr:crewIsAlive(lead) and lead or anyoneAlive()
end
gap()

if tokenHolder >= 0 and charMgr:crewIsAlive(tokenHolder) and fought then
  say("On the pump room floor " .. crewName(tokenHolder) .. " finds a stamped brass token: one tank, the Narrows. The Meridian's people struck them when there was still trade. " .. crewName(tokenHolder) .. " keeps it, and does not say why.")
  if alive(tokenHolder) then charMgr:giveMemento(tokenHolder, "fuel_token") end
  gap()
elseif tokenHolder >= 0 and charMgr:crewIsAlive(tokenHolder) then
  say("At the lock, one of the Meridian's people hands " .. crewName(tokenHolder) .. " a stamped brass token: one tank, the Narrows. They struck them when there was still trade.")
  if alive(tokenHolder) then charMgr:giveMemento(tokenHolder, "fuel_token") end
  gap()
end

msnMgr:addHeader("THE NARROWS — TWO BEACONS")
say("With full tanks I can reach either of them. " .. amber("Drake 77") .. ", where every ark was sent. " .. amber("Ellison 2e") .. ", where someone is keeping a light on. Both are on my map now.")
local navigator = charMgr:getCrewTraits("Stubborn")
local guard = charMgr:getCrewTraits("Soldier")
if navigator >= 0 and guard >= 0 and navigator ~= guard then
  say(crewName(navigator) .. " wants Drake 77: it was charted, surveyed and promised, and that is what the sleepers signed for. " .. crewName(guard) .. " wants Ellison 2e: there are people there, and people keep each other alive. The argument lasts until the lights go down.")
elseif navigator >= 0 then
  say(crewName(navigator) .. " has already plotted the course for Drake 77 and is offended that anyone might want another one.")
elseif guard >= 0 then
  say(crewName(guard) .. " argues for Ellison 2e: whoever is there has already survived. That counts for something.")
else
  local speaker = charMgr:crewIsAlive(lead) and lead or anyoneAlive()
  say((speaker >= 0 and crewName(speaker) or "The crew aboard") .. " says it plainly at dinner: one world is alive, the other has people on it. Nobody at the table can choose for the sleepers.")
end
say("I log both courses. The choice will be made where the ship goes.")
msnMgr:endMission(true)
