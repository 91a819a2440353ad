-- The galley is empty. The team sent here is whoever sits down at the galley table; they
-- decide how the crew gets through the hunger, and they are the ones it falls on.
-- Waiting is safe early on and kills the weakest later; the spare cryo pods trade the hunger
-- for a death at the next empty-stores alarm; a Farmer can strip the hydroponics bay once
-- per run; and there is always the eat branch, when two or more sit at the table.

-- Meals missed so far. Should the counter say the crew is fed (-1) while the stores are in
-- debt, the debt tells instead: it grows by one unit per missed meal.
local missed = ship:getDaysWithoutFood()
if missed < 0 then
  missed = math.max(-ship:getFood() - 1, 0)
end
local deadly = missed >= msnMgr:getDiffScale(20, 10, 10)

-- The member of the team the hunger takes first: the least hardy, counting the traits that
-- help or hurt a body living on nothing.
local function weakest()
  local pick, worst = -1, 999
  for _, i in ipairs(luaMgr:aliveCrewLeft()) do
    local score = charMgr:getCharAttr(i, "physical")
    if charMgr:getCharTrait(i, "Tough") then score = score + 5 end
    if charMgr:getCharTrait(i, "Abstemious") then score = score + 2 end
    if charMgr:getCharTrait(i, "Weak") then score = score - 2 end
    if score < worst then pick, worst = i, score end
  end
  return pick
end

local function lastOneGone()
  msnMgr:addMessage(" ")
  msnMgr:addMessage(red("Nobody is awake aboard the Ruri.") .. " The galley lights stay on for a while, then I turn them off.")
  msnMgr:addMessage("2,140 sleepers are still in the bay. They do not eat, and they cannot wake without hands to wake them. I keep them cold. I keep flying. There is no one left to report to, so I stop writing the log.")
  luaMgr:unlockAchievement("crew_starves")
  msnMgr:setEndScreen("ending_silence.png")
  msnMgr:endGame(false)
end

msnMgr:addHeader("ON BOARD THE RURI — GALLEY")

-- The crew went under at the last alarm. Nobody found food in the meantime, so the pods are
-- opened with nothing to wake up to.
local wokeToDeath = false
if msnMgr:hasQuestItem("starvation_cryo_active") then
  wokeToDeath = true
  msnMgr:removeQuestItem("starvation_cryo_active")
  msnMgr:addMessage("I open the spare pods in the cryonics bay. There is still no food aboard.")
  local lost = weakest()
  msnMgr:addMessage("Frost clears from the lids one by one. The monitor over " .. crewName(lost) .. "'s pod shows a flat line. The cold slowed the hunger; it did not stop it.")
  msnMgr:killCrew(lost, "<charName> went into the Ruri's cryonics bay starving and did not wake.")
  if not charMgr:crewOnShipLeft() then
    lastOneGone()
    return
  end
  if charMgr:depCrewLeft() == 0 then
    msnMgr:addMessage("The others climb out shaking and go to the galley. It is as empty as they left it.")
    msnMgr:endMission(true)
    return
  end
  msnMgr:addMessage(" ")
end

if missed == 0 then
  msnMgr:addMessage("The galley lockers are empty. The crew missed a meal today. Nobody said much about it.")
else
  msnMgr:addMessage("The crew has missed " .. amber(missed .. " meals") .. ". Hands shake on the coffee cups, and there is no coffee in them either.")
end
local talker = charMgr:randomCrew()
msnMgr:addMessage(crewName(talker) .. " asks me to count what is left. I count it twice. The answer is the same.")
msnMgr:addMessage(" ")

local farmer = charMgr:getCrewTraits("Farmer")
local team = charMgr:depCrewLeft()
local options, actions = {}, {}
local function offer(choice, action)
  table.insert(options, choice)
  table.insert(actions, action)
end

offer("Ration what is left and wait", "wait")
offer("Put the crew under in the spare cryo pods", "cryo")
if not msnMgr:hasQuestItem("hydroponics_stripped") then
  if farmer ~= -1 then
    offer("[Farmer] Harvest the hydroponics bay early", "harvest")
  else
    offer({ "[Farmer] Harvest the hydroponics bay early", locked = true }, "harvest")
  end
end
if team >= 2 then
  offer("Talk about what nobody wants to say", "eat")
else
  offer({ "[Two crew] Talk about what nobody wants to say", locked = true }, "eat")
end

local picked = ask(options)
if picked == nil then return end
local action = actions[picked]

if action == "wait" then
  msnMgr:addMessage("The crew lies down to save strength. I dim the corridors so nobody wastes steps.")
  if not deadly then
    local glutton = charMgr:getCrewTraits("Gluttonous")
    if glutton ~= -1 then
      msnMgr:addMessage(crewName(glutton) .. " describes, at length, a fish stew with saffron. Nobody asks " .. them(glutton) .. " to stop.")
    end
    if wokeToDeath then
      msnMgr:addMessage("Nobody else dies today. I do not log it as a good day.")
    else
      msnMgr:addMessage("Nobody dies today. I log it as a good day.")
    end
    msnMgr:endMission(true)
    return
  end
  local lost = weakest()
  msnMgr:addMessage("Meal " .. missed .. " passes. " .. crewName(lost) .. " does not get up for it. I check the biomonitor twice.")
  local surgeon = charMgr:getCrewTraits("Surgeon")
  if surgeon ~= -1 and surgeon ~= lost then
    msnMgr:addMessage(crewName(surgeon) .. " stays with " .. them(lost) .. " to the end and writes down the time.")
  end
  msnMgr:addMessage(crewName(lost) .. red(" has starved to death."))
  msnMgr:killCrew(lost, "<charName> starved to death aboard the Ruri, waiting for food that did not come.")
  if not charMgr:crewOnShipLeft() then
    lastOneGone()
    return
  end
  msnMgr:addMessage("The others carry the body to the cold store. It takes all of them now.")
  msnMgr:endMission(true)

elseif action == "cryo" then
  msnMgr:addMessage("The spare pods were built for the sleepers' attendants. Cold slows a body almost to nothing. Almost.")
  local surgeon = charMgr:getCrewTraits("Surgeon")
  if surgeon ~= -1 then
    msnMgr:addMessage(crewName(surgeon) .. " sets the pod chemistry by hand and goes under last.")
  end
  msnMgr:addMessage("I fly on alone. If there is still no food when the next alarm comes, I will have to open the pods anyway, and not everyone wakes from an empty stomach.")
  msnMgr:addQuestItem("starvation_cryo_active")
  msnMgr:endMission(true)

elseif action == "harvest" then
  local gain = msnMgr:getDiffScale(12, 10, 8)
  msnMgr:addMessage(crewName(farmer) .. " walks the hydroponics racks with a knife and a bucket. Bean vines half grown. Seed potatoes meant for a field on another world.")
  msnMgr:addMessage("\"Next year's harvest,\" " .. crewName(farmer) .. " says, and cuts it anyway.")
  ship:adjustFood(gain)
  msnMgr:addMessage("Food " .. amber("+" .. gain) .. ". The racks are bare. They will not feed us twice.")
  msnMgr:addQuestItem("hydroponics_stripped")
  msnMgr:endMission(true)

elseif action == "eat" then
  if missed < 5 then
    msnMgr:addMessage("It is too soon to say it. Someone says it anyway. Then nobody says anything for a long time.")
  else
    msnMgr:addMessage("Someone says it. Then nobody says anything for a long time.")
  end
  local how = ask({ "Draw lots", "Ask for a volunteer" })
  if how == nil then return end

  local victim = -1
  if how == 2 then
    for _, i in ipairs(luaMgr:aliveCrewLeft()) do
      if victim == -1 and (charMgr:getCharTrait(i, "Teamworker") or charMgr:getCharTrait(i, "Empathic")) then
        victim = i
      end
    end
    if victim ~= -1 then
      msnMgr:addMessage(crewName(victim) .. " stands up before anyone else can. \"I have been thinking about it since yesterday. Let me be useful.\"")
    else
      msnMgr:addMessage("Nobody stands up. After a while they draw lots after all.")
    end
  end
  if victim == -1 then
    local pool = {}
    for _, i in ipairs(luaMgr:aliveCrewLeft()) do
      if not charMgr:getCharTrait(i, "Lucky") then table.insert(pool, i) end
    end
    if #pool == 0 then pool = luaMgr:aliveCrewLeft() end
    victim = pool[(msnMgr:random() % #pool) + 1]
    msnMgr:addMessage("Broken cable ties in a fist. " .. crewName(victim) .. " draws the short one and looks at it for a long time.")
  end

  msnMgr:addMessage("It is done in the medical bay with the door shut. I do not record it.")
  msnMgr:killCrew(victim, "<charName> died aboard the Ruri so that the others could eat.")
  local survivors = charMgr:depCrewLeft()
  local gain = 5 * survivors
  ship:adjustFood(gain)
  msnMgr:addQuestItem("cannibal")
  luaMgr:unlockAchievement("eat_crew")
  msnMgr:addMessage("Food " .. amber("+" .. gain) .. ". The crew eats without talking.")
  local abstainer = charMgr:getCrewTraits("Abstemious")
  if abstainer ~= -1 then
    msnMgr:addMessage(crewName(abstainer) .. " drinks water and eats nothing. Nobody argues.")
  end
  msnMgr:endMission(true)
end
