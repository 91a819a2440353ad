-- Saint Orla's Orchard: a farm station whose robots still harvest for owners sixty years dead.
-- The team can inspect the harvest or tell the robots the truth, sign the orchard over or slip
-- away, and take the picker robot Pell along. Food always comes back; how much depends on the
-- farmer, the leader's word and whether a reckless member sets off the pest drones.

local function play()
  local lead = charMgr:getLead()
  local farmer = charMgr:getCrewTraits("Farmer")
  local reckless = charMgr:getCrewTraits("Reckless")
  local pellHere = not msnMgr:hasQuestItem("pell_aboard")
  local food = 10

  msnMgr:addHeader("SAINT ORLA'S ORCHARD - LANDING PAD")
  say("The station stands on stilts above a warm swamp. Six glass domes, fogged on the inside. Every light is on.")
  say("The pad is swept. Someone has painted the guide lines this year.")
  gap()
  say("Robots meet the shuttle before the ramp is down. Eleven of them, waist high, with picking arms and flat baskets on their backs. The tallest one bows from the hips.")
  say("\"Welcome home. The harvest is ready for inspection. The rows have been kept as you asked.\"")
  say("It calls itself the Row Warden. It has been waiting for the Orla family. I check the station's registry: the last Orla died of swamp fever sixty-one years ago. The robots kept picking.")
  gap()

  if reckless >= 0 and charMgr:crewIsAlive(reckless) then
    say(crewName(reckless) .. " vaults the fence into the nearest dome to look at the trees up close.")
    say("Something clicks in the canopy. A cloud of pest drones comes down out of the leaves, each the size of a thumb, all of them aimed at the intruder.")
    local quick = charMgr:crewWithMost("physical")
    if quick ~= reckless and charMgr:getCharAttr(quick, "physical") >= msnMgr:getDiffScale(4, 5, 6) then
      say(crewName(quick) .. " hauls " .. crewName(reckless) .. " back over the fence by the belt. The drones lose interest at the wire.")
    else
      say("The drones spray repellent over " .. crewName(reckless) .. " and over two stacked crates of fruit. Nobody will eat those now.")
      food = food - 5
    end
    say("The Row Warden waits until the drones settle. It does not mention it.")
    gap()
  end

  local first = ask({ "Inspect the harvest", "Tell the robots the owners are dead" })
  if first == nil then return end

  local wardenKnows = false
  if first == 1 then
    msnMgr:addMessage(" ")
    msnMgr:addHeader("THE ROWS")
    say("The Warden leads the team down the rows. Pears, mostly, and a green fruit the registry calls a swamp plum. The trees are pruned to the same height. The paths between them are raked.")
    if farmer >= 0 and charMgr:crewIsAlive(farmer) then
      say(crewName(farmer) .. " stops at the soil log posted at the end of each row and reads all of them. Sixty years of pH, moisture and yield, in the same careful hand.")
      say(crewName(farmer) .. " points the robots to the rows that are ready today instead of the ones on the schedule. The Warden takes the correction without a pause. It has wanted one for a long time.")
      food = food + 10
      if canGive(farmer, "swamp_pear") then charMgr:giveMemento(farmer, "swamp_pear") end
    else
      say("The team picks where the Warden points. Some of it is overripe. The schedule was written for a family of nine.")
      food = food + 5
      local picker = charMgr:randomCrew()
      if canGive(picker, "swamp_pear") then charMgr:giveMemento(picker, "swamp_pear") end
    end
    say("Every crate is weighed and written down. The owners always liked the numbers.")
  else
    msnMgr:addMessage(" ")
    msnMgr:addHeader("THE PACKING SHED")
    say(crewName(lead) .. " tells the Warden plainly. The Orlas are dead. They have been dead for sixty years. The team has come from Earth, and Earth is finished.")
    if charMgr:getCharAttr(lead, "social") >= msnMgr:getDiffScale(5, 6, 7) then
      say("The Warden is quiet for nine seconds, which for a machine is a long time.")
      say("\"Then the orchard has no owner. An orchard must have an owner. Will you sign for it?\"")
      wardenKnows = true
    else
      say("The Warden listens politely and answers: \"The owners are tired after the journey. The owners will rest.\" It shows the team to the family's rooms and locks the door behind them. It unlocks it again at dawn, with breakfast.")
      say("The rooms have been dusted every day for sixty years. The beds are made.")
    end
    food = food + 5
  end
  gap()

  msnMgr:addHeader("THE GATE")
  say("At the gate to the pad the robots stand in a line. They will not step aside. The Warden holds out a slate: a handover form, in the Orla family's legal template, with a blank line for a signature.")
  if wardenKnows then
    say("\"Someone must keep the orchard. We do not need to know who. We need the line filled.\"")
  else
    say("\"The owners must sign for the harvest before it leaves the station. It is the rule the owners made.\"")
  end

  local second = ask({ "Sign the handover", "Slip out past the robots" })
  if second == nil then return end

  if second == 1 then
    say(crewName(lead) .. " signs. The Warden reads the signature twice and files it.")
    say("The robots break their line and start loading the shuttle. They bring the full harvest, and then the seed trays, and then a spare basket in case.")
    say("The Warden gives " .. crewName(lead) .. " a pruning knife with a handle worn to the shape of metal fingers. The owners' knife. It has been oiled.")
    if canGive(lead, "pruning_knife") then charMgr:giveMemento(lead, "pruning_knife") end
    food = food + 10
  else
    local sneak = charMgr:getCrewTraits("Stealthy")
    if sneak >= 0 and charMgr:crewIsAlive(sneak) then
      say(crewName(sneak) .. " finds a gap in the drainage boards under the gate and leads the team through it, each with a crate. The robots count the crates afterwards and do not follow.")
    else
      say("The team walks round the end of the line. The robots turn to watch but do not touch anyone. The team carries what it can: one crate each, no more.")
      food = food - 5
    end
    say("Behind them the Warden writes something on its slate. I cannot see what.")
  end
  gap()

  if pellHere then
    msnMgr:addHeader("THE RAMP")
    say("One robot has followed the team to the ramp. It is smaller than the others, with a dented basket and a hand-lettered tag on its chest: PELL.")
    say("\"There is no one to pick for here now,\" Pell says. \"I can pick on a ship. I can keep a tray of soil. I would like to be useful to someone who eats.\"")
    local third = ask({ "Take Pell aboard", "Send Pell back to the rows" })
    if third == nil then return end
    if third == 1 then
      local holder = farmer >= 0 and charMgr:crewIsAlive(farmer) and farmer or charMgr:randomCrew()
      say("Pell rolls up the ramp and stops beside " .. crewName(holder) .. ". It unbolts the tag from its chest and holds it out.")
      say("\"So that someone aboard knows my name.\"")
      if canGive(holder, "pell_tag") then charMgr:giveMemento(holder, "pell_tag") end
      msnMgr:addQuestItem("pell_aboard")
      say("Pell asks where the hydroponics bay is before the ramp has closed. I tell it.")
    else
      say("Pell stands at the foot of the ramp for a while after the hatch closes. Then it turns and goes back up the path, toward the unpicked rows.")
    end
    gap()
  end

  if food < 10 then food = 10 end
  ship:adjustFood(food)
  say("The shuttle lifts out of the swamp heat. The hold takes on " .. amber(food .. " food") .. ".")
  if second == 1 then
    say("Below, the domes stay lit. Someone owns them now.")
  else
    say("Below, the domes stay lit. The robots are back in the rows already.")
  end
  msnMgr:endMission(true)
end

play()
