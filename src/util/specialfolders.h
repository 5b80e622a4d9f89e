#pragma once

#include <string>

// The current user's Favorites folder; empty when it cannot be had.
std::wstring GetFavoritesFolder();
