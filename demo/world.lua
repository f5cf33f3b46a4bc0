-- The demo game of the Cubewright engine: an island of cubes.
--
-- A title picture until a key is pressed; then the player walks, jumps, drives and
-- flies over the island, collects the gems that spin above the ground, watches the
-- boat sail around by the pier and the gulls circle overhead. K saves the game,
-- L loads it. A fall into the sea splashes the player back to the hut.
--
-- The engine opens none of Lua's standard libraries: this file uses only the
-- language itself and the engine's functions (see docs/script-api.md). The little
-- trigonometry it needs is written below.

----------------------------------------------------------------------------------
-- Tunables
----------------------------------------------------------------------------------

-- The player starts just above the lawn in front of the hut, facing its door, and
-- lands there: a player standing exactly at a cube's top touches the cube and could
-- not walk.
local spawn = {x = 95, y = 62, z = 245}
local cameraStart = {pitch = -18, yaw = 0, distance = 40}
local fogColour = {r = 184, g = 214, b = 242} -- the sky's haze at the horizon
local seaFloor = -15                          -- below this the player has fallen into the sea
local messageTime = 2500                      -- milliseconds a message stays on screen
local flyClimbPerSecond = 160                 -- the engine climbs at 1000 units a second
local flyCeiling = 500

local gemPickupDistance = 14                  -- from the player's feet to the gem's centre
local gemSpinDegreesPerMs = 0.12
local gemBuryDepth = 13                       -- a collected gem sinks into the ground (see below)

local boatRadius = 35                         -- the boat sails a circle west of its mooring
local boatDegreesPerMs = 0.006
local birdRadius = 120                        -- gulls circle near where they start
local birdDegreesPerMs = 0.02

-- The HUD's controls line, two rows at the bottom of the window.
local controls1 = "Arrows/E D S F move  Space jump  O P zoom"
local controls2 = "1 walk 2 drive 3 fly  C down  K save  L load"

local movementNames = {[0] = "Walking", [1] = "Driving", [2] = "Flying", [3] = "Standing"}

-- Every key that passes the title picture (Escape opens the engine's menu instead).
local titleKeys = {
    " ", "\13", "\8", "\9", "\28", "\29", "\30", "\31",
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
    "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",
    "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z",
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
}

----------------------------------------------------------------------------------
-- A little trigonometry (no math library): degrees throughout
----------------------------------------------------------------------------------

-- Bhaskara's approximation on [0, 180], extended by symmetry: error below 0.002.
function sinDeg(d)
    d = d % 360
    if d > 180 then
        d = d - 180
        local p = d * (180 - d)
        return -4 * p / (40500 - p)
    end
    local p = d * (180 - d)
    return 4 * p / (40500 - p)
end

function cosDeg(d)
    return sinDeg(d + 90)
end

----------------------------------------------------------------------------------
-- Keys: a key counts once when it goes down
----------------------------------------------------------------------------------

local keyWasDown = {}

function keyPressed(key)
    local down = getKey(key)
    local was = keyWasDown[key]
    keyWasDown[key] = down
    return down == 1 and was ~= 1
end

----------------------------------------------------------------------------------
-- Game state
----------------------------------------------------------------------------------

local showTitle = 1
local message = ""
local messageUntil = 0
local wasAboveSea = 1
local lastPlayerY = spawn.y

local titleSprite, gemIconSprite
local soundPickup, soundSave, soundLoad, soundSplash, soundWhoosh, soundClick
local gemModel, boatModel, birdModel

function showMessage(text)
    message = text
    messageUntil = getTime() + messageTime
end

function lua_getNbObjects()
    return 3  -- 0 gem, 1 boat, 2 bird
end

function lua_onInitGame()
    titleSprite = load2DSprite("pictures/title.png")
    gemIconSprite = load2DSprite("pictures/gem_icon.png")
    soundPickup = loadSound("sound/pickup.wav")
    soundSave = loadSound("sound/save.wav")
    soundLoad = loadSound("sound/load.wav")
    soundSplash = loadSound("sound/splash.wav")
    soundWhoosh = loadSound("sound/whoosh.wav")
    soundClick = loadSound("sound/click.wav")
    setFogColor(fogColour.r, fogColour.g, fogColour.b)
    setPlayerPosition(spawn.x, spawn.y, spawn.z)
    setPlayerMovementWalk()
    setCameraAngleAndDistance(cameraStart.pitch, cameraStart.yaw, cameraStart.distance)
    setGlobalVar("gems", 0)
    print("Demo island ready")
end

function lua_onUninitGame()
    unload2DSprite(titleSprite)
    unload2DSprite(gemIconSprite)
end

----------------------------------------------------------------------------------
-- The frame
----------------------------------------------------------------------------------

function titleFrame()
    -- draw2DWorld first: it sets up the 2D drawing (no lighting, no depth test). The
    -- full-screen picture then keeps the world hidden, and the player still, until a
    -- frame passes without one.
    draw2DWorld()
    setColor(255, 255, 255, 255)
    drawSpriteFullscreenStretched(titleSprite)
    local pressed = 0
    for i = 1, #titleKeys do
        if keyPressed(titleKeys[i]) then pressed = 1 end
    end
    local left = getMouseInfos()
    if pressed == 1 or left == 1 then
        showTitle = 0
        playSound(soundClick)
        print("Title passed")
    end
end

function setMovement(kind)
    if getPlayerMovementType() == kind then return end
    if kind == 0 then setPlayerMovementWalk() end
    if kind == 1 then setPlayerMovementCar() end
    if kind == 2 then
        setPlayerMovementFly()
        playSound(soundWhoosh)
    else
        playSound(soundClick)
    end
    print("Movement " .. movementNames[kind])
end

function handleGameKeys()
    if isEditorMode() == 1 then return end
    if keyPressed("1") then setMovement(0) end
    if keyPressed("2") then setMovement(1) end
    if keyPressed("3") then setMovement(2) end
    if keyPressed("k") or keyPressed("K") then
        saveGame()
        playSound(soundSave)
        showMessage("Game saved")
    end
    if keyPressed("l") or keyPressed("L") then
        loadGame()
        playSound(soundLoad)
        showMessage("Game loaded")
    end
end

-- The sea has no floor: a player who sinks below it comes back at the hut.
function watchTheSea()
    if isEditorMode() == 1 then return end
    local x, y, z = getPlayerPosition()
    if y < 0 and wasAboveSea == 1 then playSound(soundSplash) end
    if y < 0 then wasAboveSea = 0 else wasAboveSea = 1 end
    if y < seaFloor then
        setPlayerPosition(spawn.x, spawn.y, spawn.z)
        setPlayerMovementWalk()
        showMessage("Splash! Back to the hut")
    end
end

-- Flying climbs and sinks at a pace a player can follow, up to a ceiling. Where the
-- engine lifted the player over an obstacle the position is left as it is.
function paceTheFlight()
    local x, y, z = getPlayerPosition()
    if getPlayerMovementType() == 2 and isEditorMode() == 0 then
        local step = flyClimbPerSecond * getPeriodDuration() / 1000000
        local paced = y
        if paced > lastPlayerY + step then paced = lastPlayerY + step end
        if paced < lastPlayerY - step then paced = lastPlayerY - step end
        if paced > flyCeiling then paced = flyCeiling end
        if paced ~= y and isCollidingPoint(x, paced, z) == 0 and isCollidingPoint(x, paced + 10, z) == 0 then
            setPlayerPosition(x, paced, z)
            y = paced
        end
    end
    lastPlayerY = y
end

function drawHud()
    local width, height = getWindowSize()
    setColor(255, 255, 255, 255)
    draw2DSprite(gemIconSprite, 12, 10)
    drawText("Gems: " .. getGlobalVar("gems"), 56, 12)
    local mode = movementNames[getPlayerMovementType()]
    if isEditorMode() == 1 then mode = "Editor" end
    drawText(mode, width - 150, 12)
    if getTime() < messageUntil then
        setColor(255, 236, 140, 255)
        drawTextCenter(message)
    end
    setColor(230, 240, 255, 255)
    drawText(controls1, 12, height - 72)
    drawText(controls2, 12, height - 40)
    setColor(255, 255, 255, 255)
end

function lua_loop()
    if showTitle == 1 then
        titleFrame()
        return
    end
    handleGameKeys()
    paceTheFlight()
    watchTheSea()
    clearBackground()
    draw3DWorld()
    draw2DWorld()
    drawHud()
end

----------------------------------------------------------------------------------
-- Object type 0: gems. They spin and bob; walking into one collects it.
--
-- Which gems were collected is kept in global variables (one per gem, named after
-- its place), so a saved game remembers them. A collected gem sinks into the ground
-- rather than being removed, so loading an older game can bring it back: the engine
-- draws every gem, and a gem's height tells its state (8 above a cube top when in
-- play, 5 above a cube's base when collected).
----------------------------------------------------------------------------------

function gemName(x, z)
    return "gem" .. x .. "_" .. z
end

function lua_load_0()
    gemModel = load3DModel("models/gem.obj")
end

function lua_manage_0()
    local x, y, z = getCurrentObjectPosition()
    local buried = (y % 10) < 6.5
    local collected = getGlobalVar(gemName(x, z)) == 1
    if collected and not buried then
        setCurrentObjectPosition(x, y - gemBuryDepth, z)
    elseif buried and not collected then
        setCurrentObjectPosition(x, y + gemBuryDepth, z)
    elseif not collected and getDistanceToPlayer() < gemPickupDistance and isEditorMode() == 0 then
        setGlobalVar(gemName(x, z), 1)
        local count = addToGlobalVar("gems", 1)
        playSound(soundPickup)
        showMessage("Gem " .. count .. " found!")
        print("Gem collected")
    end
end

function lua_draw_0()
    local t = getTime()
    move3DPosition(0, 1.5 * sinDeg(t * 0.2), 0)
    rotatePosition(0, (t * gemSpinDegreesPerMs) % 360, 0)
    draw3DModel(gemModel)
end

function lua_unload_0()
    unload3DModel(gemModel)
end

----------------------------------------------------------------------------------
-- Moving objects sail or fly along circles. A draw function is not told which object
-- it draws (the current object stays the one run last), so every object of a type
-- goes round at the same angle, a function of the time: the heading drawn is then
-- the same for all of them. Local variable 1 holds the angle an object was placed
-- at; local variable 2 is 1 once it moves.
----------------------------------------------------------------------------------

-- Moves the current object to the given angle of its circle, at the given height (nil
-- keeps its own). On its first run the object's place is the circle's point at the
-- angle startAngle.
function circleCurrentObject(radius, angle, startAngle, height)
    local x, y, z = getCurrentObjectPosition()
    if height ~= nil then y = height end
    local placedAt = getObjectLocalVariable1()
    if getObjectLocalVariable2() == 0 then
        placedAt = startAngle
        setObjectLocalVariable2(1)
    end
    local cx = x - radius * cosDeg(placedAt)
    local cz = z - radius * sinDeg(placedAt)
    setObjectLocalVariable1(angle)
    setCurrentObjectPosition(cx + radius * cosDeg(angle), y, cz + radius * sinDeg(angle))
end

-- Going round a circle as its angle grows (from +X toward +Z), a model whose front is
-- +Z is turned by minus the angle about the vertical.
function headingOnCircle(angle)
    return -angle
end

----------------------------------------------------------------------------------
-- Object type 1: the boat. It sails a circle west of its mooring and rocks on the
-- waves. Objects are drawn with their region, and regions below the sea's level are
-- not drawn: the boat's point is kept at the surface and its hull drawn lower.
----------------------------------------------------------------------------------

local boatHeight = 0.5
local boatDraught = 2.5

function boatAngleNow()
    return (getTime() * boatDegreesPerMs) % 360
end

function lua_load_1()
    boatModel = load3DModel("models/boat.obj")
end

function lua_manage_1()
    -- The mooring is the circle's east end (angle 0): the circle lies out at sea, west
    -- of it, away from the beach.
    circleCurrentObject(boatRadius, boatAngleNow(), 0, boatHeight)
end

function lua_draw_1()
    local t = getTime()
    move3DPosition(0, 1.2 * sinDeg(t * 0.15) - boatDraught, 0)
    rotatePosition(3 * sinDeg(t * 0.11), headingOnCircle(boatAngleNow()), 4 * sinDeg(t * 0.09))
    draw3DModel(boatModel)
end

function lua_unload_1()
    unload3DModel(boatModel)
end

----------------------------------------------------------------------------------
-- Object type 2: gulls circling above the island, flapping their wings.
----------------------------------------------------------------------------------

function birdAngleNow()
    return (getTime() * birdDegreesPerMs) % 360
end

function lua_load_2()
    birdModel = load3DModelAnimated(180, "models/bird_frame1.obj", "models/bird_frame2.obj")
end

function lua_manage_2()
    local angle = birdAngleNow()
    circleCurrentObject(birdRadius, angle, angle)
end

function lua_draw_2()
    local t = getTime()
    move3DPosition(0, 3 * sinDeg(t * 0.1), 0)
    rotatePosition(0, headingOnCircle(birdAngleNow()), -20)
    draw3DModel(birdModel)
end

function lua_unload_2()
    unload3DModel(birdModel)
end
