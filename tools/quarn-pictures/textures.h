#pragma once
// The game's textures: the ball and the rope, and the level textures the
// shipped levels name. Every level texture repeats without a seam.

#include "canvas.h"

Canvas BallTexture();        // 128 x 128 disc seen from below: the pole is the centre
Canvas RopeTexture();        // 32 x 64 braided strip: across the rope by along it
Canvas RockTexture();        // 256 x 256
Canvas LavaTexture();        // 256 x 256, made to scroll
Canvas WaterTexture();       // 256 x 256, made to scroll
Canvas MossTexture();        // 256 x 256 light overlay for a second texture unit
Canvas GlassTexture();       // 256 x 256 glass colour
Canvas GlassAlphaTexture();  // 256 x 256 opacity map, partly transparent
Canvas GridTexture();        // 256 x 256 background panel
Canvas MetalTexture();       // 256 x 256 brushed plate
Canvas BrickTexture();       // 256 x 256
Canvas WoodTexture();        // 128 x 128 planks
Canvas CrystalTexture();     // 128 x 128 facets
Canvas SkyTexture();         // 256 x 256 sphere map of a sky over a dark land
