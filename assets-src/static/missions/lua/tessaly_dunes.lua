-- Tessaly Dunes: a seed vault under a moving dune, and a sandstorm that arrives while the team
-- digs. How fast they dig and how the door is opened decide how much the storm can take. Waiting
-- in a vault whose seal was forced, or running for the shuttle with weak legs, can cost the
-- whole team.

local function has(i, trait)
  return charMgr:getCharTrait(i, trait)
end

-- The grey cough from the Solace rides with whoever broke its seal; dust makes it worse.
local function coughing(i)
  return msnMgr:hasQuestItem("grey_cough") and charMgr:hasMemento(i, "quarantine_tag")
end

local function play()
  local vaultEmpty = msnMgr:hasQuestItem("seed_vault")

  msnMgr:addHeader("TESSALY DUNES - THE BEACON")
  say("Red sand to every horizon, combed into dunes by a wind that never stops. The vault beacon pings from six metres under the largest one.")
  say("The dune is moving east at three metres a day. It has been moving over the vault for forty years.")
  gap()
  say("My orbital pass shows a storm front forty kilometres west. A brown wall, two kilometres high. At its speed it reaches the vault in " .. amber("fifty minutes") .. ".")
  if vaultEmpty then
    say("The shuttle's last visit is still in the log. The hatch was resealed. Someone may have missed a shelf.")
  end

  local first = ask({ "Dig for the hatch", "Lift off before the storm" })
  if first == nil then return end
  if first == 2 then
    say("The team climbs back in. The shuttle is above the dust when the front rolls over the dig site.")
    say("From orbit the storm looks like a bruise spreading across the desert. By morning the dune has covered the beacon another metre deeper.")
    msnMgr:endMission(true)
    return
  end

  msnMgr:addMessage(" ")
  msnMgr:addHeader("THE DIG")
  local dig = charMgr:totalAttr("physical")
  local strong = charMgr:getCrewTraits("Strong")
  if strong >= 0 then
    say(crewName(strong) .. " takes the first shovel and does not hand it on.")
    dig = dig + 3
  end
  if msnMgr:hasQuestItem("pell_aboard") then
    say("Pell rolls off the ramp, unfolds its picking arms and digs like a machine built for soil, which it is.")
    dig = dig + 6
  end
  local late = 0
  if dig >= msnMgr:getDiffScale(10, 14, 18) then
    say("The sand comes away in sheets. The hatch rim shows after twenty minutes: a steel ring stencilled PROGRAMME SEED STORE 9.")
  else
    say("The sand slides back as fast as it comes out. By the time the hatch rim shows, the storm wall fills the western sky and the light has gone orange.")
    late = 1
  end
  gap()

  local eng = charMgr:getEng()
  say("The hatch has a keypad, dead, and manual bolts under a cover plate, seized with grit.")
  say(crewName(eng) .. " kneels by the cover plate. The storm wall is closer every time I look.")
  local door = ask({ "Work the bolts free", "Force the hatch open" })
  if door == nil then return end

  local sealBroken = false
  if door == 1 then
    if charMgr:getCharAttr(eng, "mental") >= msnMgr:getDiffScale(5, 6, 7) then
      say(crewName(eng) .. " clears the grit with a brush and a spray of solvent, backs each bolt off by a quarter turn, and opens the hatch with the seal intact.")
    else
      say(crewName(eng) .. " works the bolts one by one. Two of them shear. It takes twenty minutes. The hatch opens with its seal intact, and the first gusts are throwing sand at the team's visors.")
      late = late + 1
    end
  else
    local strongest = charMgr:crewWithMost("physical")
    say(crewName(strongest) .. " wedges a bar under the rim and heaves. The seal tears with a sound like cloth. The hatch is open, and it will not close tight again.")
    sealBroken = true
  end
  gap()

  msnMgr:addHeader("SEED STORE 9")
  local finder = charMgr:randomCrew()
  if vaultEmpty then
    say("The shelves are mostly bare from our last visit. " .. crewName(finder) .. " finds one more rack of ration tins behind the cold racks, and a single packet of winter wheat on the floor.")
  else
    say("Racks of sealed seed trays, two hundred varieties, each labelled in Programme type. A planter's ration store along one wall, tins stacked to the ceiling.")
    say(crewName(finder) .. " holds a packet up to the helmet camera for me: winter wheat, lot 12. The seal is good.")
  end
  if canGive(finder, "seed_packet") then charMgr:giveMemento(finder, "seed_packet") end
  say("The wind is rising outside. The team has perhaps " .. amber(late == 0 and "ten minutes" or "no time at all") .. " before the storm is on top of them.")

  local storm = ask({ "Wait it out in the vault", "Run for the shuttle" })
  if storm == nil then return end

  local survivors = {}
  local function survive(i)
    survivors[#survivors + 1] = i
  end

  if storm == 1 then
    msnMgr:addMessage(" ")
    msnMgr:addHeader("SEED STORE 9 - THE STORM")
    say("The team pulls the hatch down. The sky goes out.")
    if not sealBroken then
      say("The seal holds. The storm is a roar through six metres of sand and a steel lid, then a hum, then nothing I can hear.")
      say("Suit lights only. The team sleeps in shifts between the seed racks. In the morning " .. crewName(charMgr:crewWithMost("physical")) .. " digs up through the loose sand to daylight.")
      for _, i in ipairs(luaMgr:aliveCrewLeft()) do survive(i) end
    else
      say("The torn seal lets the sand in. A thin red stream first, then a pour. The floor is gone in a minute. It is at the team's knees in five.")
      say(red("The suit beacons show the team climbing the racks toward the air vent."))
      for _, i in ipairs(luaMgr:aliveCrewLeft()) do
        local strength = charMgr:getCharAttr(i, "physical") + roll(4)
        if has(i, "Tough") or has(i, "Lucky") then strength = strength + 2 end
        if coughing(i) then
          say(crewName(i) .. " is coughing, a grey wet cough. The dust finds it.")
          strength = strength - 2
        end
        if strength >= msnMgr:getDiffScale(4, 6, 7) then
          say(crewName(i) .. " reaches the vent shaft and hangs on above the sand.")
          survive(i)
        else
          say(crewName(i) .. red("'s beacon stops moving under the sand."))
          msnMgr:killCrew(i, "<charName> was buried with the seeds in the vault under the Tessaly Dunes.")
        end
      end
    end
  else
    msnMgr:addHeader("TESSALY DUNES - THE RUN")
    say("Eight hundred metres to the shuttle. The team runs into a wall of sand that turns the day to dusk and then to night.")
    local help = 0
    local rope = charMgr:getCrewTraits("Teamworker")
    if rope >= 0 and charMgr:depCrewLeft() > 1 then
      say(crewName(rope) .. " ropes everyone together at the waist before the first step. Nobody can wander off a rope.")
      help = 2
    end
    -- Caught by the storm, the team needs someone who can hold a bearing; suit compasses
    -- swing on the iron in the sand.
    local lost = false
    if late > 0 then
      local guide = charMgr:getCrewTraits("Observant")
      if guide < 0 and charMgr:mostAttr("mental") >= msnMgr:getDiffScale(5, 6, 7) then
        guide = charMgr:crewWithMost("mental")
      end
      if guide >= 0 then
        say(crewName(guide) .. " counts paces aloud and holds the bearing I give, while the suit compasses spin on the iron in the sand.")
      else
        lost = true
        say("The storm is already on top of the dig. Visibility is nil. The suit compasses spin on the iron in the sand, and the shuttle's beacon comes in from every side at once through the static.")
        say("I give bearings. The team walks them. The suit positions on my screen draw a slow circle around the shuttle, eight hundred metres out, and then stop moving.")
      end
    end
    for _, i in ipairs(luaMgr:aliveCrewLeft()) do
      if lost then
        msnMgr:killCrew(i, "<charName> was lost with the whole team in the sandstorm on the Tessaly Dunes.")
      else
        local legs = charMgr:getCharAttr(i, "physical") + roll(4) + help - late
        if has(i, "Tough") or has(i, "Lucky") then legs = legs + 2 end
        if coughing(i) then
          say(crewName(i) .. " is coughing inside the helmet, the grey cough from the Solace. Every breath is half sand.")
          legs = legs - 2
        end
        local need = msnMgr:getDiffScale(3, 5, 6)
        if legs >= need then
          survive(i)
        elseif help > 0 and legs >= need - 3 then
          say(crewName(i) .. " falls twice. The rope drags " .. them(i) .. " up both times.")
          survive(i)
        else
          if help > 0 then
            say(crewName(i) .. red("'s harness tears loose from the rope, and the storm closes over the place."))
          else
            say(crewName(i) .. red(" goes down in the sand and the storm closes over the place."))
          end
          msnMgr:killCrew(i, "<charName> was lost in the sandstorm on the Tessaly Dunes, eight hundred metres from the shuttle.")
        end
      end
    end
    if #survivors > 0 then
      say("The shuttle's floodlights come up out of the brown. The ramp. The hatch. The sound of sand on the hull like rain.")
      if canGive(survivors[1], "storm_goggles") then charMgr:giveMemento(survivors[1], "storm_goggles") end
    end
  end
  gap()

  if #survivors == 0 then
    msnMgr:addHeader("TESSALY DUNES - AFTER")
    say("The storm blows for two days. I call every hour. Nobody answers.")
    say("On the third day I bring the shuttle home on autopilot. Its seats are full of sand.")
    luaMgr:unlockAchievement("party_wipe")
    finish()
    return
  end

  if storm == 1 then
    local keeper = survivors[#survivors]
    say(crewName(keeper) .. " fills a sample vial with the red sand that nearly kept the team, and corks it.")
    if canGive(keeper, "vial_of_sand") then charMgr:giveMemento(keeper, "vial_of_sand") end
  end

  local food = storm == 1 and 20 or 10
  if vaultEmpty then food = 10 end
  ship:adjustFood(food)
  msnMgr:addQuestItem("seed_vault")
  if vaultEmpty then
    say("The last rack of tins comes up with the team. The hold takes on " .. amber(food .. " food") .. ". Seed Store 9 is empty now.")
  elseif storm == 1 then
    say("The team ferries the ration tins up the shaft once the sky clears. The hold takes on " .. amber(food .. " food") .. " and the vault's seed trays, sealed.")
  else
    say("The team carried what it could in its arms. The hold takes on " .. amber(food .. " food") .. " and a crate of seed trays.")
  end
  say("By the next orbit the dune has moved three metres east. The beacon is still pinging.")
  finish()
end

play()
