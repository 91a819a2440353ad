-- Helpers shared by every mission script. The game runs this file before it binds msnMgr,
-- charMgr, luaMgr and ship, so it only defines functions that use them when called.

-- Choice sets offered so far in this mission; ask() and askAgain() count them. A script that
-- also calls msnMgr:finalizeChoice() or msnMgr:rechoice() itself adds 1 here for each.
choiceSetsOffered = 0

-- Waits for the player's pick in choice set `set` (numbered from 0 in the order offered).
-- Returns the index picked (0 for the first choice), or -1 when the mission ended or was
-- left meanwhile: a waiting loop must end then, or the game waits for it.
function waitForChoice(set)
  while msnMgr:getDeployStatus() do
    local picked = msnMgr:getChoiceResponse(set)
    if picked ~= -1 then
      return picked
    end
  end
  return -1
end

-- The pick in the set just offered, as ask() returns it.
function waitForNewSet()
  local set = choiceSetsOffered
  choiceSetsOffered = choiceSetsOffered + 1
  local picked = waitForChoice(set)
  if picked == -1 then
    return nil
  end
  return picked + 1
end

-- Offers `choices` and waits for the pick. Each entry is a text, or {text, locked = true} for
-- a choice that is shown but cannot be picked. Returns the position picked (1 for the first),
-- or nil when the mission ended meanwhile.
--   local answer = ask({"Open the hatch", "Wait", {"Force it", locked = not strong}})
function ask(choices)
  for _, choice in ipairs(choices) do
    if type(choice) == "table" then
      if choice.locked then
        msnMgr:buildLockedChoice(choice[1])
      else
        msnMgr:buildChoice(choice[1])
      end
    else
      msnMgr:buildChoice(choice)
    end
  end
  msnMgr:finalizeChoice()
  return waitForNewSet()
end

-- Offers choice set `set` again with its last pick locked, and waits as ask() does.
function askAgain(set)
  msnMgr:rechoice(set)
  return waitForNewSet()
end

-- `text` with its first letter in capitals, also when it starts with a colour tag (the crew's
-- names and pronouns come coloured): capitalize(they(0)) .. " nods."
function capitalize(text)
  local tag, rest = string.match(text, "^(<c=[^>]*>)(.*)$")
  if tag then
    return tag .. (string.gsub(rest, "^%l", string.upper))
  end
  return (string.gsub(text, "^%l", string.upper))
end

-- Crew member `i` of the deploy team: the name and the three pronouns, in the member's colour.
-- Give `capital` as true at the start of a sentence.
function crewName(i)
  return charMgr:getCharColoredName(i)
end

function they(i, capital)
  local word = charMgr:getNominativePronoun(i)
  return capital and capitalize(word) or word
end

function them(i, capital)
  local word = charMgr:getObliquePronoun(i)
  return capital and capitalize(word) or word
end

-- The crew files keep the standalone possessive ("theirs", "hers", "his", "xyrs"); before a
-- noun the word loses its "s" ("their", "her", "xyr"), except "his" and "its".
function asDeterminer(word)
  local open, core, close = string.match(word, "^(<c=[^>]*>)(.-)(</c>)$")
  if not open then
    open, core, close = "", word, ""
  end
  local lower = string.lower(core)
  if lower ~= "his" and lower ~= "its" and string.sub(lower, -1) == "s" then
    core = string.sub(core, 1, -2)
  end
  return open .. core .. close
end

-- Before a noun: "their voice", "her voice", "his voice".
function their(i, capital)
  local word = asDeterminer(charMgr:getPossesivePronoun(i))
  return capital and capitalize(word) or word
end

-- Standing alone: "the choice is theirs", "hers", "his".
function theirs(i, capital)
  local word = charMgr:getPossesivePronoun(i)
  return capital and capitalize(word) or word
end

-- A line of the terminal, and an empty line between scenes.
function say(text)
  msnMgr:addMessage(text)
end

function gap()
  msnMgr:addMessage(" ")
end

-- Text in a colour of its own: colored("red alert", 255, 0, 0).
function colored(text, r, g, b)
  return "<c=" .. r .. "," .. g .. "," .. b .. ">" .. text .. "</c>"
end

-- The story's two colours: amber for figures and things to note ("Food +5"), red for harm and
-- danger ("The hull gives way.").
function amber(text)
  return colored(text, 185, 128, 0)
end

function red(text)
  return colored(text, 214, 48, 34)
end

-- Whether `i` names a member of the team (not nil, not -1) who still lives.
function alive(i)
  return i ~= nil and i >= 0 and charMgr:crewIsAlive(i)
end

-- Whether member `i` lives and does not hold `memento` yet: a side mission can come round again
-- once the whole list has been played, and a keepsake is given only once.
function canGive(i, memento)
  return alive(i) and not charMgr:hasMemento(i, memento)
end

-- The first living member of the team, or -1 when nobody is left.
function anyoneAlive()
  return luaMgr:aliveCrewLeft()[1] or -1
end

-- A number from 0 to n - 1 (for n of 1 or more), from exactly one msnMgr:random(), so the draws
-- come in the order the script asks for them.
function roll(n)
  return msnMgr:random() % n
end

-- Ends the mission as completed; when nobody is left awake aboard the Ruri, ends the run instead,
-- on the silent ending.
function finish()
  if not charMgr:crewOnShipLeft() then
    say(red("No one is left awake aboard the Ruri.") .. " The sleepers cannot be woken without ground under them. I keep the bay cold and fly on alone.")
    msnMgr:setEndScreen("ending_silence.png")
    msnMgr:endGame(false)
  else
    msnMgr:endMission(true)
  end
end

-- Who does fine work that needs `need` mental: the engineer when up to it, otherwise the team's
-- sharpest mind when that one is; when nobody is, the engineer tries anyway. The second result
-- says whether the one returned is up to it.
function handsFor(need)
  local eng = charMgr:getEng()
  if charMgr:getCharAttr(eng, "mental") >= need then return eng, true end
  local best = charMgr:crewWithMost("mental")
  if charMgr:getCharAttr(best, "mental") >= need then return best, true end
  return eng, false
end

-- A living team member who can swim bare: a Cephalopod, else an Avian, or -1.
function findSwimmer()
  local ceph = charMgr:getCrewTraits("Cephalopod")
  if ceph >= 0 then return ceph end
  return charMgr:getCrewTraits("Avian")
end
