-- Halcyon Ring: a dark research platform in a giant's rings. The team searches the quarters
-- (the last researcher's diary, with a slingshot plot folded inside) or cuts an ice core on the
-- truss; an ice storm catches them on the way back. With the plot, the mind can fly the
-- slingshot: a careful plotter saves fuel and tunes the drive, a poor one scrapes the hull.

-- The ice storm on the truss: each member must hold on; a rope-minded member catches one who
-- slips. Members with the grey cough fight the cold as well.
local function storm()
  msnMgr:addHeader("HALCYON RING - THE ICE STORM")
  say("A shepherd moon passes overhead and the ring stirs. Ice the size of sugar grains, then of fists, comes sideways across the truss at forty metres a second.")
  local roper = charMgr:getCrewTraits("Teamworker")
  local caught = false
  local slipped = false
  for _, i in ipairs(luaMgr:aliveCrewLeft()) do
    local grip = charMgr:getCharAttr(i, "physical") + roll(4)
    if msnMgr:hasQuestItem("grey_cough") and charMgr:hasMemento(i, "quarantine_tag") then
      say(crewName(i) .. " coughs in the cold until the visor fogs. The grey cough has not let go.")
      grip = grip - 2
    end
    if grip < msnMgr:getDiffScale(2, 3, 4) then
      slipped = true
      if roper >= 0 and roper ~= i and charMgr:crewIsAlive(roper) and not caught then
        say(crewName(i) .. " loses the handrail. " .. crewName(roper) .. " has a tether clipped to " .. their(i) .. " belt already and reels " .. them(i) .. " in.")
        caught = true
      else
        say(crewName(i) .. red(" is torn off the truss by the ice. The tether parts. I track the suit beacon out into the ring until it stops."))
        msnMgr:killCrew(i, "<charName> was carried off the truss by the ice storm at Halcyon Ring.")
      end
    end
  end
  if not slipped then
    say("The team goes hand over hand along the rail with heads down. Ice rattles off the helmets like gravel. Every glove stays on the rail.")
  end
  if charMgr:depCrewLeft() > 0 then
    say("The airlock cycles. Ice melts off the suits in grey puddles on the shuttle floor.")
  end
end

local function play()
  local diary = false
  local holder = -1

  msnMgr:addHeader("HALCYON RING - THE PLATFORM")
  say("The giant fills half the sky, banded cream and rust. Its rings are ice, kilometres deep and a few hundred metres thick, and in them sits the Halcyon platform: four modules on a truss, anchored to a moonlet the size of a town.")
  say("No power. No answer. The docking collar at the outer end of the truss still fits ours; the modules are a three-hundred-metre walk along the truss from it.")
  gap()

  local first = ask({ "Search the living quarters", "Go out on the truss to cut an ice core" })
  if first == nil then return end

  if first == 1 then
    msnMgr:addMessage(" ")
    msnMgr:addHeader("HALCYON RING - THE QUARTERS")
    local searcher = charMgr:crewWithMost("mental")
    say("Six bunks, five stripped. The sixth has a blanket, a reading lamp, and a locker with a paper diary in it.")
    say(crewName(searcher) .. " reads it to me by suit light. Dr. Ines Halloran, ring physicist. The others left on the last supply run. She stayed to finish her survey. The supply runs stopped.")
    say("The last thirty pages are not about ice. They are about a slingshot: a course that dives through a gap in the rings, skims the giant's upper air, and comes out with a month of fuel saved. Drawn by hand on graph paper, folded into the back cover.")
    say("The last line: \"Somebody fly it. I would have liked to.\"")
    if canGive(searcher, "halcyon_diary") then charMgr:giveMemento(searcher, "halcyon_diary") end
    say(crewName(searcher) .. " tucks the diary inside " .. their(searcher) .. " suit. The team heads back along the truss to the shuttle.")
    diary = true
    holder = searcher
  else
    msnMgr:addMessage(" ")
    msnMgr:addHeader("HALCYON RING - THE TRUSS")
    local cutter = charMgr:crewWithMost("physical")
    say(crewName(cutter) .. " clips on at the end of the truss and runs the core drill into the ring ice. Four billion years of layers come up in a clear cylinder, banded like a tree.")
    if charMgr:getCharAttr(cutter, "physical") >= msnMgr:getDiffScale(4, 5, 6) then
      say("The core comes out whole just as the ice starts to stir around the truss.")
      if canGive(cutter, "ring_ice_core") then charMgr:giveMemento(cutter, "ring_ice_core") end
    else
      say("The drill binds. The core snaps a metre down and stays in the ring. The ice is starting to stir around the truss.")
    end
  end
  gap()

  storm()
  gap()

  if charMgr:depCrewLeft() == 0 then
    say("The shuttle drifts off the platform's collar with nobody aboard. I bring it home by remote.")
    finish()
    return
  end

  msnMgr:addHeader("HALCYON RING - DEPARTURE")
  if diary and not charMgr:crewIsAlive(holder) then
    diary = false
    say("The diary went into the ring with " .. crewName(holder) .. ". I saw one page of the plot through a suit camera. That is not enough to fly.")
  end
  if diary then
    say("I lay Dr. Halloran's plot over my own charts. It is good. It is also tight: a gap in the rings eleven kilometres wide, at our speed.")
  else
    say("The platform falls behind. There is a gap in the rings that a braver ship might dive through. Without a plot I will not try it.")
  end
  local helped = msnMgr:hasQuestItem("kestrel_charts")
  local fly = ask({ { "[Diary] Fly the slingshot", locked = not diary }, "Take the long way out of the rings" })
  if fly == nil then return end

  if fly == 1 then
    local plotter = charMgr:crewWithMost("mental")
    local need = msnMgr:getDiffScale(6, 7, 8)
    if helped then
      say(crewName(plotter) .. " checks the plot against the old survey charts from the Kestrel Relay. They agree on the gap to the metre.")
      need = need - 1
    end
    local chemist = charMgr:getCrewTraits("Scientist")
    if chemist >= 0 then
      say(crewName(chemist) .. " reads the giant's upper air off my spectra, layer by layer, and marks where the skim will bite. The plot gains a margin.")
      need = need - 1
    end
    if charMgr:getCharAttr(plotter, "mental") + roll(3) >= need then
      say(crewName(plotter) .. " reads the corrections to me from the graph paper while I fly. The Ruri goes through the gap with a kilometre to spare on each side, skims the giant's air, and comes out the far side fast and cold.")
      ship:adjustFuel(10)
      ship:adjustEngineSpeed(0.005, "Halcyon slingshot trim")
      say(amber("Fuel +10") .. ". The burn taught me something about the drive's trim as well: " .. amber("engine +0.005") .. ".")
      if canGive(plotter, "slingshot_plot") then charMgr:giveMemento(plotter, "slingshot_plot") end
    else
      say(crewName(plotter) .. " reads a correction a second late. The Ruri clips the edge of the gap.")
      ship:adjustHealth(-10)
      say(red("Hull -10") .. " from ring ice along the port side. We come out with no fuel saved and a long list of dents.")
    end
  else
    say("I take the Ruri out above the ring plane, the long way. Nothing saved, nothing scratched.")
  end
  finish()
end

play()
