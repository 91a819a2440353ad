-- The Glass Choir: crystal spires that ring in the wind, and shatter at a wrong note. The team
-- records the song (safe, slow), tunes the spires (a mental task, spoiled by a humming member),
-- plays them the reef's recording, or breaks off a shard. A wrong note brings the spires down
-- on whoever stands nearest.

-- The spires come down after a wrong note: the one at the spire's foot and one other member
-- in the row must get clear, the first with less room than the second. Returns the living
-- members afterwards.
local function cascade(nearest)
  say(red("The note goes wrong. A crack runs up the spire like a struck match, and the spires on either side answer it."))
  say("Crystal falls in sheets, each piece still ringing as it comes down.")
  local inRow = { nearest }
  if charMgr:depCrewLeft() > 1 then
    local other = charMgr:randomCrewIgnoringCrew(nearest)
    if other >= 0 then inRow[2] = other end
  end
  for _, i in ipairs(inRow) do
    local dodge = charMgr:getCharAttr(i, "physical") + roll(4)
    if i == nearest then dodge = dodge - 2 end
    if charMgr:getCharTrait(i, "Lucky") then dodge = dodge + 2 end
    if dodge >= msnMgr:getDiffScale(3, 5, 7) then
      say(crewName(i) .. " gets clear, glass hissing on " .. their(i) .. " suit.")
    else
      say(crewName(i) .. red(" is under the spire when it falls."))
      msnMgr:killCrew(i, "<charName> was cut down by falling crystal at the Glass Choir.")
    end
  end
  return luaMgr:aliveCrewLeft()
end

local function learn()
  ship:adjustSensors(0.5, "Glass Choir harmonic filters")
  say("I fold the spires' harmonics into the Argon array's noise filters. " .. amber("Sensors +0.5") .. ".")
end

local function play()
  local hummer = charMgr:getCrewTraits("Distracted")
  local learned = false

  msnMgr:addHeader("THE GLASS CHOIR - THE PLAIN")
  say("Wind at ninety kilometres an hour over a plain of pale crystal. The spires stand in rows, some as tall as the Ruri is long, each ringing on one note as the wind combs it.")
  say("Through the suit microphones it is a chord that never resolves. I have been listening to it for six minutes. I do not want to stop.")
  gap()
  say("At the east edge of the plain the spires lie in a fan of broken glass, as if one fell and took its neighbours with it. The break is clean and recent, in geological terms.")
  if hummer >= 0 then
    say(crewName(hummer) .. " is humming along. Badly. The nearest spire shifts a quarter tone to meet it, and a hairline crack runs up its side. " .. crewName(hummer) .. " stops.")
  end
  gap()

  local reef = msnMgr:hasQuestItem("reef_song")
  local first = ask({
    "Record the song",
    "Tune the spires with a fork",
    "Break off a shard",
    { "[Reef song] Play the reef's recording to the spires", locked = not reef },
  })
  if first == nil then return end

  if first == 1 then
    msnMgr:addMessage(" ")
    msnMgr:addHeader("THE GLASS CHOIR - RECORDING")
    say("The team spreads out with the suit microphones held up to the wind and stands still for an hour. Nobody speaks. That is harder than it sounds.")
    if hummer >= 0 then
      say("At minute forty " .. crewName(hummer) .. " starts humming again and I lose the take. We start over. The second take is clean.")
    end
    local scribe = charMgr:crewWithMost("mental")
    say(crewName(scribe) .. " writes the song out on the way back to the shuttle, one staff for each spire, while I check each note against the recording.")
    if canGive(scribe, "choir_score") then charMgr:giveMemento(scribe, "choir_score") end
    msnMgr:addQuestItem("choir_score")
    learn()
    learned = true
  elseif first == 2 then
    msnMgr:addMessage(" ")
    msnMgr:addHeader("THE GLASS CHOIR - TUNING")
    local tuner = charMgr:crewWithMost("mental")
    say(crewName(tuner) .. " cuts a fork from the shuttle's spare strut stock and files it to the spire's fundamental, checking against my pitch meter.")
    local need = msnMgr:getDiffScale(6, 7, 8)
    if hummer >= 0 and hummer ~= tuner then need = need + 1 end
    if charMgr:getCharAttr(tuner, "mental") + roll(3) >= need then
      say("One spire at a time, " .. crewName(tuner) .. " strikes the fork and holds it to the crystal until the beat between them fades. Twelve spires. Then the chord resolves.")
      say("For the first time in however long it has stood here, the Glass Choir sings in tune. The team does not move until the wind drops.")
      if canGive(tuner, "tuning_fork") then charMgr:giveMemento(tuner, "tuning_fork") end
      learn()
      learned = true
    else
      if hummer >= 0 and hummer ~= tuner then
        say(crewName(hummer) .. " is humming again, under " .. their(hummer) .. " breath, the wrong half of the chord.")
      end
      say(crewName(tuner) .. " strikes the fork against the ninth spire a fraction flat.")
      cascade(tuner)
    end
  elseif first == 3 then
    msnMgr:addMessage(" ")
    msnMgr:addHeader("THE GLASS CHOIR - THE SHARD")
    local breaker = charMgr:crewWithMost("physical")
    say(crewName(breaker) .. " picks a spire at the edge of the row and taps a thin fin of it with a hammer.")
    local living = cascade(breaker)
    if #living > 0 then
      local holder = charMgr:crewIsAlive(breaker) and breaker or living[1]
      say(crewName(holder) .. " picks a shard out of the wreck. It hums in " .. their(holder) .. " glove when the wind moves.")
      if canGive(holder, "singing_shard") then charMgr:giveMemento(holder, "singing_shard") end
    end
  else
    msnMgr:addHeader("THE GLASS CHOIR - THE REEF")
    say("I put the recording from Carrow Deep on the suit speakers, loud. The reef of Drake 77, answering the probe.")
    say("The spires go silent. Then, one by one, they take up the reef's phrase, a fifth higher, and pass it down the rows and back.")
    say("Two things that never met are singing to each other. I record all of it.")
    local scribe = charMgr:crewWithMost("mental")
    say(crewName(scribe) .. " writes out the Choir's half on the way back to the shuttle, one staff for each spire, and leaves a blank staff at the bottom for the reef.")
    if canGive(scribe, "choir_score") then charMgr:giveMemento(scribe, "choir_score") end
    msnMgr:addQuestItem("choir_score")
    learn()
    learned = true
  end
  gap()

  if charMgr:depCrewLeft() == 0 then
    say("The wind goes on combing the plain. The new stumps ring on lower notes now.")
    finish()
    return
  end

  if learned then
    local last = ask({ "Break off a shard to take home", "Leave the choir as it is" })
    if last == nil then return end
    if last == 1 then
      local breaker = charMgr:crewWithMost("physical")
      say(crewName(breaker) .. " chooses a thin fin at the base of a spire and taps it free.")
      if charMgr:getCharAttr(breaker, "physical") + roll(4) >= msnMgr:getDiffScale(4, 6, 8) then
        say("It comes away whole. The spire sings a note lower now. The shard hums in " .. crewName(breaker) .. "'s glove whenever the wind moves.")
        if canGive(breaker, "singing_shard") then charMgr:giveMemento(breaker, "singing_shard") end
      else
        cascade(breaker)
        local living = luaMgr:aliveCrewLeft()
        if #living > 0 then
          if canGive(living[1], "singing_shard") then charMgr:giveMemento(living[1], "singing_shard") end
          say(crewName(living[1]) .. " pockets a piece of the fallen spire. It is still humming.")
        end
      end
    else
      say("The team walks back to the shuttle in file. Behind them the chord goes on, and I keep listening until we are out of range.")
    end
  else
    say("The team walks back to the shuttle through the broken glass without speaking.")
  end
  finish()
end

play()
