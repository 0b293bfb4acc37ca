#pragma once
// The level the records tests play: the ball hangs from the ceiling after the
// load, and once let go it drops past a checkpoint into the end zone.

constexpr const char* kShaftLevel = R"(
outline shaft
    loop -150 -3000  150 -3000  150 400  -150 400
end
outline ceiling
    solid -150 200  150 200  150 220  -150 220
end
primitive START point 0 120
primitive CP4 cylinder 0 -1200 60
primitive END box -150 -2500 150 -2400
)";
