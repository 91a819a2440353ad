-- Cinder Market: an asteroid outpost whose traders descend from the ark Ashcombe's miners. The
-- leader trades for food or fuel (or for both, with the vault's seeds); a comedian or a genial
-- member gets a better price and a charm; a kleptomaniac gets caught. Telling the traders about
-- the Vesperine flight well enough makes the Ruri kin: "ashcombe_kin".

local function play()
  local lead = charMgr:getLead()
  local kin = msnMgr:hasQuestItem("ashcombe_kin")

  msnMgr:addHeader("CINDER MARKET - THE DOCK")
  say("A grey rock three kilometres long, pocked with lit windows. The dock is a cave mouth with a net across it. A voice on the band tells me which hook to take and how much it costs.")
  if kin then
    say("The dock warden recognises the Ruri's transponder from our last visit and waives the fee. Kin do not pay for hooks.")
  end
  gap()

  -- The grey cough from the Solace: the warden smells sickness and stops the one who carries it.
  local sick = -1
  if msnMgr:hasQuestItem("grey_cough") then
    for _, i in ipairs(luaMgr:aliveCrewLeft()) do
      if charMgr:hasMemento(i, "quarantine_tag") then sick = i end
    end
  end
  if sick >= 0 then
    say("The dock warden listens to " .. crewName(sick) .. " cough once and holds up a hand. \"Not that one. Not past the net.\" " .. crewName(sick) .. " waits at the shuttle.")
    if sick == lead then
      for _, i in ipairs(luaMgr:aliveCrewLeft()) do
        if i ~= sick then lead = i end
      end
    end
    gap()
  end

  if lead == sick then
    say("With nobody else to send, the traders bring a crate of ration bars to the net and take the Ruri's credit code through it. Nobody shakes hands.")
    ship:adjustFood(5)
    say("The hold takes on " .. amber("5 food") .. ".")
    msnMgr:endMission(true)
    return
  end

  msnMgr:addHeader("CINDER MARKET - THE STALLS")
  say("The market fills a slag cavern: stalls of welded plate under welding lamps, hydroponic greens in tubs, fuel sold by the bottle and by the tank. The traders are small, broad and pale. None of them has seen a sky.")
  say("They know Earth as a story: the brown-sky place the Ashcombe came from, where the water was free and the air cost nothing. They do not quite believe it.")
  gap()

  -- A comedian first, then a genial member, then anyone with the social nerve to try.
  local joker = charMgr:getCrewTraits("Comedian")
  if joker < 0 or joker == sick then joker = charMgr:getCrewTraits("Genial") end
  if joker < 0 or joker == sick then
    joker = charMgr:crewWithMost("social")
    if joker >= 0 and charMgr:getCharAttr(joker, "social") < msnMgr:getDiffScale(6, 7, 8) then joker = -1 end
  end
  if joker == sick then joker = -1 end
  local bonus = 0
  if joker >= 0 then
    say(crewName(joker) .. " trades jokes with the fuel seller while the others haggle. The one about the Quorvane mind and the toaster lands. The seller laughs until she has to sit down, then hangs a charm round " .. crewName(joker) .. "'s neck: a horseshoe bent from a hull bolt, on a red cord.")
    if canGive(joker, "luck_charm") then charMgr:giveMemento(joker, "luck_charm") end
    bonus = 2
  end

  local seeds = msnMgr:hasQuestItem("seed_vault")
  local trade = ask({ "Trade for food", "Trade for fuel", { "[Seed vault] Offer Programme seed trays", locked = not seeds } })
  if trade == nil then return end

  local amount = 10
  if charMgr:getCharAttr(lead, "social") + bonus >= msnMgr:getDiffScale(5, 6, 7) then
    amount = 15
    say(crewName(lead) .. " haggles the way the traders like it: slowly, with a lot of shaking of heads. The price comes down by a third.")
  else
    say(crewName(lead) .. " takes the first price. The traders look almost disappointed.")
  end

  -- The kleptomaniac pockets something while the deal is struck.
  local thief = charMgr:getCrewTraits("Kleptomaniac")
  if thief >= 0 and thief ~= sick then
    gap()
    say("A shout from the next stall. A brass gauge, not ours, is in " .. crewName(thief) .. "'s pocket. " .. crewName(thief) .. " seems as surprised as anyone.")
    local caught = ask({ "Pay for the gauge", "Return it and apologise" })
    if caught == nil then return end
    if caught == 1 then
      say("The gauge costs a tank's worth of credit. " .. crewName(thief) .. " keeps it and turns it over and over all the way back.")
      amount = amount - 5
    elseif charMgr:getCharAttr(lead, "social") >= msnMgr:getDiffScale(4, 5, 6) then
      say(crewName(lead) .. " hands the gauge back with a speech about long voyages and nerves. The stall keeper accepts it and the apology, and charges nothing.")
    else
      say("The stall keeper takes the gauge back and tells the other stalls. Prices go up along the whole row.")
      amount = amount - 5
    end
  end
  gap()

  if trade == 1 then
    ship:adjustFood(amount)
    say("The deal is struck. The hold takes on " .. amber(amount .. " food") .. ": ration bars, tubs of greens and a sack of something the traders swear is fish.")
  elseif trade == 2 then
    ship:adjustFuel(amount)
    say("The deal is struck. The tanks take on " .. amber(amount .. " fuel") .. ", pumped through a hose older than anyone in the market.")
  else
    say("The traders pass a seed tray from hand to hand. Real soil seed, sealed on Earth. They pay in food and fuel both and look as if they have robbed us.")
    ship:adjustFood(amount)
    ship:adjustFuel(amount)
    say("The hold takes on " .. amber(amount .. " food") .. " and the tanks " .. amber(amount .. " fuel") .. ".")
  end
  say("The change comes back in slag coins stamped with a pick. " .. crewName(lead) .. " keeps one.")
  if canGive(lead, "cinder_coin") then charMgr:giveMemento(lead, "cinder_coin") end
  gap()

  if not kin then
    msnMgr:addHeader("CINDER MARKET - THE ELDER")
    say("Before the team can leave, an old woman is carried out to the dock in a chair. The market elder. She wants to know where the Ruri comes from, and she wants the truth.")
    local score = msnMgr:hasQuestItem("choir_score")
    local tell = ask({
      "Tell her about Earth and the Vesperine flight",
      "Say only that the Ruri is passing through",
      { "[Choir score] Play her the song of the Glass Choir", locked = not score },
    })
    if tell == nil then return end
    if tell == 3 then
      say("I put the Glass Choir on the dock speakers. Crystal ringing in a wind these people have never felt.")
      say("The market stops. Hammers, pumps, haggling. The elder listens with her eyes shut until the last spire fades, and then asks for it again.")
      say("When it ends the second time she unpins a badge from her collar, the Vesperine flight's seven stars and the word ASHCOMBE, and pins it on " .. crewName(lead) .. ".")
      say("\"Anyone who brings us that is kin. Come back when you are hungry.\"")
      if canGive(lead, "ashcombe_badge") then charMgr:giveMemento(lead, "ashcombe_badge") end
      msnMgr:addQuestItem("ashcombe_kin")
      ship:adjustFuel(5)
      say("The market adds a gift bottle to the tanks: " .. amber("5 fuel") .. ".")
    elseif tell == 1 then
      local speaker = charMgr:crewWithMost("social")
      if speaker == sick then speaker = lead end
      local warm = charMgr:getCharTrait(speaker, "Empathic") or charMgr:getCharTrait(speaker, "Genial") or charMgr:getCharTrait(speaker, "Counselor")
      if warm or charMgr:getCharAttr(speaker, "social") >= msnMgr:getDiffScale(5, 6, 7) then
        say(crewName(speaker) .. " tells it: the Ashing, the Programme, the seven arks. The Ashcombe was the first to leave. The Ruri was the last.")
        say("The elder is quiet. Then she unpins a badge from her collar, enamel gone dull with handling, the Vesperine flight's seven stars and the word ASHCOMBE, and pins it on " .. crewName(speaker) .. ".")
        say("\"Then you are ours, and late. Come back when you are hungry.\"")
        if canGive(speaker, "ashcombe_badge") then charMgr:giveMemento(speaker, "ashcombe_badge") end
        msnMgr:addQuestItem("ashcombe_kin")
        ship:adjustFuel(5)
        say("The market adds a gift bottle to the tanks: " .. amber("5 fuel") .. ".")
      else
        say(crewName(speaker) .. " tries, but the story comes out as a list of dates. The elder listens politely and thanks the team, the way one thanks a child for a drawing.")
      end
    else
      say("The elder nods as if she expected nothing else and is carried back inside.")
    end
  else
    say("The elder waves from her chair at the back of the market. She does not get up. She never does.")
  end

  say("The net opens. Cinder Market drops behind us, lit window by lit window.")
  msnMgr:endMission(true)
end

play()
