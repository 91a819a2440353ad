-- Quiet Harbour: the hospital ark Solace, adrift under quarantine. The team picks where to go
-- aboard: the medical bay (where the medic can learn what the grey cough is), the sealed stores
-- (food, and a seal to break) and the children's ward. Whoever breaks a seal without knowing
-- what is in the vents carries the cough home: the quarantine tag and the run's "grey_cough".

local function play()
  local med = charMgr:getMed()
  local knows = false
  local food = 0

  msnMgr:addHeader("QUIET HARBOUR - THE SOLACE")
  say("A white hull with a red cross on each flank, turning end over end once every four minutes. The Solace. Hospital ark of the Vesperine flight, launched two years before us.")
  say("Its transponder answers. Nothing else does. I match the tumble and put the shuttle on its dorsal lock.")
  gap()
  say("Inside: emergency lighting, 14 degrees, air at 0.9 atmospheres and breathable by my numbers. Every hatch off the main spine carries a red tag. DECK 2 SEALED. DECK 3 SEALED. DECK 4 SEALED. The handwriting gets worse down the corridor.")
  local careful = charMgr:getCrewTraits("Cautious")
  if careful >= 0 then
    say(crewName(careful) .. " keeps " .. their(careful) .. " helmet locked and says that everyone else will too. Nobody argues.")
    knows = true
  else
    say("The suit air reads six hours. The ship's air reads clean. Visors stay down for now.")
  end
  gap()

  local places = { "Go to the medical bay", "Break into the stores on Deck 4", "Look for the children's ward" }
  local visited = {}
  -- The stores were emptied on an earlier visit: Deck 4 stays shut this time.
  if msnMgr:hasQuestItem("solace_stores") then
    visited[2] = true
    say("Deck 4's hatch is taped shut where we left it. The stores behind it are empty.")
    gap()
  end
  while true do
    local choices = {}
    local map = {}
    for k, text in ipairs(places) do
      if not visited[k] then
        choices[#choices + 1] = text
        map[#choices] = k
      end
    end
    choices[#choices + 1] = "Leave the Solace"
    local picked = ask(choices)
    if picked == nil then return end
    local place = map[picked]
    if place == nil then break end
    visited[place] = true

    if place == 1 then
      msnMgr:addMessage(" ")
      msnMgr:addHeader("THE SOLACE - MEDICAL BAY")
      say("The bay is the one room without a seal. The staff worked here to the end. Twelve beds, twelve covered shapes, a desk with a terminal still on standby.")
      say(crewName(med) .. " wakes the terminal and reads the last charts.")
      if charMgr:getCharAttr(med, "mental") >= msnMgr:getDiffScale(5, 6, 7) or charMgr:getCharTrait(med, "Surgeon") then
        say("The charts call it the grey cough. A spore that came aboard in the vent filters, dormant in the cold, waking in warm wet lungs. It took eleven days from the first cough to the last.")
        say(crewName(med) .. " reads out the line that matters: the seals were never airtight, the spores are in every duct, and a helmet stops them. " .. crewName(med) .. " checks everyone's collar seal by hand.")
        knows = true
      else
        say("The charts are in a shorthand " .. crewName(med) .. " cannot follow. Cough, fever, cough. Dates. A column of ticks that stops.")
      end
      say("On the desk lies a stethoscope, coiled, as if someone put it down for a moment. " .. crewName(med) .. " cleans it twice before touching it again.")
      if canGive(med, "solace_stethoscope") then charMgr:giveMemento(med, "solace_stethoscope") end
    elseif place == 2 then
      msnMgr:addMessage(" ")
      msnMgr:addHeader("THE SOLACE - DECK 4")
      local breaker = charMgr:crewWithMost("physical")
      local reckless = charMgr:getCrewTraits("Reckless")
      if reckless >= 0 then breaker = reckless end
      say("The Deck 4 hatch is taped, tagged and wired shut. " .. crewName(breaker) .. " cuts the wire and tears the tag down the middle. Air sighs out of the deck.")
      say("Beyond: the galley stores, racks of sealed ration tins, cold and sound. Enough to matter.")
      food = food + 10
      msnMgr:addQuestItem("solace_stores")
      if knows then
        say("Helmets stay locked. The team carries the tins out through the seal and tapes it shut behind them.")
      else
        say(crewName(breaker) .. " has " .. their(breaker) .. " visor up to read the tin labels by the grey light. The vent above the hatch puffs once, a little cloud of dust.")
        say("On the way back to the shuttle, " .. crewName(breaker) .. " coughs. Once. Then twice.")
        if canGive(breaker, "quarantine_tag") then charMgr:giveMemento(breaker, "quarantine_tag") end
        msnMgr:addQuestItem("grey_cough")
        say(red("I am logging the cough. I will keep logging it."))
      end
    else
      msnMgr:addMessage(" ")
      msnMgr:addHeader("THE SOLACE - CHILDREN'S WARD")
      say("Deck 6. Sixteen small beds under a painted sky: a blue ceiling with clouds someone drew by hand. The beds are empty and made. The children were moved to the cryonics bay on the last day. The bay failed two days later. I do not say this aloud.")
      local kind = charMgr:getCrewTraits("Empathic")
      if kind < 0 then kind = charMgr:randomCrew() end
      say(crewName(kind) .. " walks the row and stops at the last bed. Taped above it is a crayon drawing: a ship, a sun, and four people holding hands.")
      if charMgr:getCharTrait(kind, "Empathic") or charMgr:getCharTrait(kind, "Counselor") then
        say(crewName(kind) .. " takes it down very carefully, so the tape does not tear the paper, and says that someone should remember there were children here.")
      else
        say(crewName(kind) .. " looks at it for a long time and then takes it.")
      end
      if canGive(kind, "childs_drawing") then charMgr:giveMemento(kind, "childs_drawing") end
    end
    gap()
  end

  msnMgr:addMessage(" ")
  msnMgr:addHeader("THE SOLACE - DORSAL LOCK")
  say("The team cycles out. I run the shuttle's air through the filters twice before the inner hatch opens.")
  if food > 0 then
    ship:adjustFood(food)
    say("The hold takes on " .. amber(food .. " food") .. " from the Solace's stores.")
  end
  if msnMgr:hasQuestItem("grey_cough") then
    say("Behind us the Solace keeps turning, once every four minutes. I set its transponder on our charts as a hazard. I do not think anyone will come for it.")
  else
    say("Behind us the Solace keeps turning, once every four minutes. I set its transponder on our charts as a grave.")
  end
  msnMgr:endMission(true)
end

play()
