#include "world/SectorTile.hpp"

SectorTile SectorTile::at(int gridX, int gridY)
{
    SectorTile tile;
    tile.gridX = gridX;
    tile.gridY = gridY;
    tile.left = size * static_cast<float>(gridX);
    tile.right = tile.left + size;
    tile.top = mapTop + size * static_cast<float>(gridY);
    tile.bottom = tile.top + size;
    tile.centre = {size * static_cast<float>(gridX) + 22.f, size * static_cast<float>(gridY) + 47.f};
    return tile;
}

bool SectorTile::contains(float x, float y) const
{
    return x > left && x <= right && y > top && y <= bottom;
}

Json::Value SectorTile::toJson() const
{
    Json::Value entry(Json::objectValue);
    entry["TextureName"] = textureName;
    entry["IsMission"] = isMission;
    entry["ShouldDrawNameText"] = shouldDrawNameText;
    Json::Value grid(Json::arrayValue);
    grid.append(gridX);
    grid.append(gridY);
    entry["GridPosition"] = grid;
    entry["NameText"] = nameText;
    entry["TileSpeed"] = tileSpeed;
    if (hasMission() && isMission)
        entry["Mission"] = missionFile;
    return entry;
}

bool SectorTile::readJson(const Json::Value& entry)
{
    try {
        textureName = entry["TextureName"].asString();
        isMission = entry["IsMission"].asBool();
        shouldDrawNameText = entry["ShouldDrawNameText"].asBool();
        tileSpeed = entry["TileSpeed"].asInt();
        nameText = entry["NameText"].asString();
        return true;
    } catch (const Json::Exception&) {
        return false;
    }
}
