-- The Unlisted Crate. A crate nobody listed turns up in hold 3: a dock hand's parting gift from
-- launch day. Scanning it first (the engineer's mental, or an observant eye) finds the fuel
-- cell packed in with the food; a Farmer gets a crop out of the seeds; the whisky is shared or
-- locked away. Whoever opens it keeps the label.

local lead = charMgr:getLead()
local med = charMgr:getMed()
local eng = charMgr:getEng()

msnMgr:addHeader("THE RURI — HOLD 3")
msnMgr:addMessage("Behind the seed racks, strapped down with the Programme's own webbing: a grey crate with no barcode. 212 kilograms. The Programme seals were cut at some point and closed again with tape.")
msnMgr:addMessage("Stencilled on the lid by hand: " .. amber("PROPERTY OF NOBODY."))

local thief = charMgr:getCrewTraits("Kleptomaniac")
if thief ~= -1 then
  if charMgr:depCrewTotal() > 1 then
    msnMgr:addMessage("The others look at " .. crewName(thief) .. ". " .. crewName(thief) .. " is offended: the crate is far too big, and not nearly shiny enough.")
  else
    msnMgr:addMessage("I consider " .. crewName(thief) .. ", briefly. The crate is far too big, and not nearly shiny enough.")
  end
end
msnMgr:addMessage(" ")

local scanned = false
local pick = ask({ "Cut the tape and open it", "Scan it before anyone touches it", "Push it out of the airlock unopened" })
if not pick then return end

if pick == 2 then
  local looker = charMgr:getCrewTraits("Observant")
  if charMgr:getCharAttr(eng, "mental") >= msnMgr:getDiffScale(4, 5, 6) then
    scanned = true
    msnMgr:addMessage(crewName(eng) .. " runs the hand scanner over it twice and reads the density map like a menu: tins, glass, paper, something wooden and hollow, and a sealed fuel cell, full. Nothing that ticks.")
  elseif looker ~= -1 then
    scanned = true
    msnMgr:addMessage("The scanner says " .. amber("ORGANIC, METAL") .. ", which describes most things, the crew included. " .. crewName(looker) .. " reads the shipping scuffs instead: loaded by hand on Pad 9, the night before launch, next to a fuel bowser.")
  else
    msnMgr:addMessage("The scanner says " .. amber("ORGANIC, METAL") .. ", which describes most things, the crew included. Nobody is any wiser.")
  end
  msnMgr:addMessage(" ")
  pick = askAgain(choiceSetsOffered - 1)
  if not pick then return end
end

if pick == 3 then
  msnMgr:addMessage("The crate goes out through airlock 1 and tumbles away, still taped shut. Whatever it was, it belongs to nobody now, as promised.")
  msnMgr:addMessage("We are 212 kilograms lighter. Over the next sector that is worth a unit of fuel. " .. amber("Fuel +1."))
  ship:adjustFuel(1)
  msnMgr:endMission(true)
  return
end

local opener = charMgr:crewWithMost("physical")
msnMgr:addMessage(crewName(opener) .. " cuts the tape and lifts the lid.")
msnMgr:addMessage("Twenty-four tins of peaches. A bottle of whisky, sealed. A fiddle in a cloth bag. Seed packets tied with string. On top, an envelope: " .. amber("\"For whoever needs this more than I did. — a dock hand, Pad 9.\""))
local glutton = charMgr:getCrewTraits("Gluttonous")
if glutton ~= -1 then
  msnMgr:addMessage("The peaches go to the galley, all but one tin. " .. crewName(glutton) .. " has syrup down the chin and no regrets. " .. amber("Food +5."))
  ship:adjustFood(5)
else
  msnMgr:addMessage("The peaches go to the galley. " .. amber("Food +6."))
  ship:adjustFood(6)
end

if scanned then
  msnMgr:addMessage("Under the false floor the scan showed, a fuel cell, full, with a note on it in the same hand: " .. amber("\"Borrowed.\"") .. " " .. amber("Fuel +3."))
  ship:adjustFuel(3)
end

local farmer = charMgr:getCrewTraits("Farmer")
if farmer ~= -1 then
  msnMgr:addMessage(crewName(farmer) .. " goes through the seed packets one by one. Tomatoes, chillies, and a pea the seed stores do not have. A new tray in hydroponics the same night. " .. amber("Food +4."))
  ship:adjustFood(4)
end

msnMgr:addMessage(crewName(opener) .. " peels the stencilled label off the lid and keeps it.")
if not charMgr:hasMemento(opener, "crate_label") then
  charMgr:giveMemento(opener, "crate_label")
end
msnMgr:addMessage(" ")
msnMgr:addMessage("That leaves the whisky.")

local whisky = ask({ "Share it round the mess", "Lock it in the medical stores" })
if not whisky then return end

local drinker = charMgr:getCrewTraits("Addicted")
if whisky == 1 then
  msnMgr:addMessage("It goes round the mess in coffee cups. Someone takes the fiddle out of its bag and finds it can be played, badly. It is played badly for two hours.")
  if drinker ~= -1 then
    msnMgr:addMessage(crewName(drinker) .. " has one cup, and then, quietly, a second and a third. I log it. I do not yet know who I would tell.")
  end
else
  msnMgr:addMessage(crewName(med) .. " locks it in the medical stores, for antiseptic and for emergencies, and takes the key.")
  if drinker == med then
    msnMgr:addMessage("I note which crew member holds the key. I note it without comment, which is a comment.")
  end
  msnMgr:addMessage("The fiddle goes to the mess. Nobody can play it yet. Several people are trying.")
end
msnMgr:endMission(true)
