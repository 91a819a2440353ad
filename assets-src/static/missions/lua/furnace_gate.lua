-- Furnace Gate: an abandoned mining outpost whose shield generators still hold back a lava
-- tide. The foreman's log tells why the last miners walked into the lava. Taking the
-- generators gives the Ruri shields but drops the wall, and the team must outrun the tide; a
-- clumsy pull surges the wall early and the spray reaches the shuttle's hull.

-- The run from the generator hall to the shuttle with the lava behind. `harder` is added to
-- the need. Returns the fastest survivor, or -1 when nobody made it.
local function race(harder)
  msnMgr:addMessage(" ")
  msnMgr:addHeader("FURNACE GATE - THE TIDE")
  say("The wall flickers and goes out. The channel, held back for forty years, remembers where it wanted to go.")
  say("Four hundred metres of basalt to the shuttle. The lava comes up the lift road behind the team at a walking pace, then faster.")
  local fastest, best = -1, -100
  for _, i in ipairs(luaMgr:aliveCrewLeft()) do
    local legs = charMgr:getCharAttr(i, "physical") + roll(4)
    if msnMgr:hasQuestItem("grey_cough") and charMgr:hasMemento(i, "quarantine_tag") then
      say(crewName(i) .. " runs bent over, coughing the grey cough into the helmet. The sulphur does not help.")
      legs = legs - 2
    end
    if legs >= msnMgr:getDiffScale(2, 4, 5) + harder then
      if legs > best then fastest, best = i, legs end
    else
      say(crewName(i) .. red(" stumbles on the glassy rock, and the tide is there."))
      msnMgr:killCrew(i, "<charName> was overtaken by the lava tide at Furnace Gate.")
    end
  end
  if fastest >= 0 then
    if charMgr:depCrewLeft() > 1 then
      say(crewName(fastest) .. " reaches the ramp first and hauls the others up. The hatch closes on a wave of orange light.")
    else
      say(crewName(fastest) .. " reaches the ramp and slaps the hatch control on the way past. It closes on a wave of orange light.")
    end
    say("In " .. crewName(fastest) .. "'s belt pouch, grabbed from a bench in the generator hall: a blade of black volcanic glass, knapped to an edge by a miner with time to spare.")
    if canGive(fastest, "obsidian_blade") then charMgr:giveMemento(fastest, "obsidian_blade") end
  end
  return fastest
end

-- The generators were taken on an earlier visit: the tide has had the shelf since.
local function flooded()
  msnMgr:addHeader("FURNACE GATE - THE SHELF")
  say("No shimmer over the channel now. The shelf where the outpost stood is a plain of black glass, still warm, with the top of the lift head sticking out of it like a grave marker.")
  local look = ask({ "Set down on the ridge and look", "Fly on" })
  if look == nil then return end
  if look == 1 then
    say("The team stands on the ridge for ten minutes. Nobody says much. " .. crewName(charMgr:randomCrew()) .. " points out the line of the old lift road, under the glass.")
  else
    say("I log the position and fly on. The tide comes up the channel behind us, the way it always did before anyone built a wall.")
  end
  msnMgr:endMission(true)
end

local function play()
  local eng = charMgr:getEng()
  local searched = false
  if msnMgr:hasQuestItem("furnace_generators") then
    flooded()
    return
  end

  msnMgr:addHeader("FURNACE GATE - THE OUTPOST")
  say("Black basalt split by seams of orange. Three domes and a lift head on a shelf of rock above a lava channel, and between the shelf and the channel a shimmer in the air: a shield wall, still up.")
  say("The generators hum on my instruments from orbit. Forty years, nobody to service them, and they hum.")
  say("The channel rises with the moon. The next tide is in " .. amber("two hours") .. ". When it comes, the wall is all that keeps the lava off the shelf.")
  gap()

  local first = ask({ "Search the outpost", "Go straight to the generators", "Leave Furnace Gate alone" })
  if first == nil then return end
  if first == 3 then
    say("The team stays aboard. The shield wall shimmers on my screens as we climb out of orbit, holding back a tide for nobody.")
    msnMgr:endMission(true)
    return
  end

  if first == 1 then
    searched = true
    msnMgr:addMessage(" ")
    msnMgr:addHeader("FURNACE GATE - THE DOMES")
    local searcher = charMgr:randomCrew()
    say("Bunks made. Boots in pairs by the door. A rack of helmet lamps by the lift, every one charged. " .. crewName(searcher) .. " takes one down and finds a name scratched off the band.")
    if canGive(searcher, "miners_lamp") then charMgr:giveMemento(searcher, "miners_lamp") end
    say("The foreman's log is on the office terminal. " .. crewName(searcher) .. " reads the last entries aloud for me.")
    gap()
    say("\"Day 212. Relief ship overdue. Radio from home says the sky has gone brown over every continent. No ship is coming.\"")
    say("\"Day 230. Scrubbers at forty percent. Maybe sixty days of air for twenty-two. We drew lots. Nobody wanted to win.\"")
    say("\"Day 231. We have decided together. Tonight's tide. Better the lava than the long way. Leave the shields on. Someone might come.\"")
    gap()
    say("The log ends there. Someone did come. It took forty years.")
    local chemist = charMgr:getCrewTraits("Scientist")
    if chemist >= 0 then
      say(crewName(chemist) .. " reads the line about the brown sky twice and says nothing for the rest of the walk to the generator hall.")
    end
    gap()
  end

  msnMgr:addMessage(" ")
  msnMgr:addHeader("FURNACE GATE - THE GENERATOR HALL")
  say("Four generators in a row, each the size of a shuttle, their casings warm to the touch. The main fuse sits in a cradle above them, glowing faintly.")
  say(crewName(eng) .. " reads the load: the generators would double the Ruri's shield output. Pulling them drops the wall.")
  local second
  if searched then
    second = ask({ "Pull the fuse and take the generators", "Leave the shields on, as the miners asked" })
  else
    second = ask({ "Pull the fuse and take the generators", "Leave the generators humming" })
  end
  if second == nil then return end

  if second == 2 then
    if searched then
      say("The team leaves the hall as it found it. On the way out " .. crewName(charMgr:randomCrew()) .. " switches off the foreman's terminal, gently, as if someone were sleeping there.")
    else
      say("The team leaves the hall as it found it and walks back to the shuttle past the lit domes. Nobody suggests looking inside.")
    end
    say("From orbit the wall shimmers on. The tide comes up under it and goes down again, and the domes stay lit.")
    msnMgr:endMission(true)
    return
  end

  local clean = charMgr:getCharAttr(eng, "mental") >= msnMgr:getDiffScale(5, 6, 7)
  local harder = 0
  if clean then
    harder = -1
    say(crewName(eng) .. " spins the generators down one at a time, lets the wall fade instead of fall, which buys the team a minute, and lifts the fuse out of its cradle with insulated gloves. The generators go onto the cargo sled, which drives itself down the road to the shuttle.")
  else
    say(crewName(eng) .. " pulls the fuse with the generators still under load. The hall goes white. The wall does not fade. It bursts.")
    say(red("A sheet of molten spray arcs over the shelf and comes down across the landing pad."))
    ship:adjustHealth(-10)
    say(red("Hull -10") .. ": the spray scorches the shuttle through, and the Ruri gives up its own hull plate to patch it.")
    harder = 2
  end

  local fastest = race(harder)
  gap()
  if fastest < 0 then
    say("The tide fills the lift road and the generator hall. The shuttle sits on its pad with the hatch open, and nobody comes up the ramp.")
    say("I bring it home on autopilot.")
    finish()
    return
  end

  ship:adjustShields(20)
  msnMgr:addQuestItem("furnace_generators")
  say("Back aboard, " .. crewName(charMgr:crewIsAlive(eng) and eng or fastest) .. " wires the generators into the Ruri's shield bus. " .. amber("Shields +20") .. ".")
  local keeper = charMgr:crewIsAlive(eng) and eng or fastest
  say("The old fuse goes into " .. crewName(keeper) .. "'s locker, not the scrap bin.")
  if canGive(keeper, "gate_fuse") then charMgr:giveMemento(keeper, "gate_fuse") end
  finish()
end

play()
