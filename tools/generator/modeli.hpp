// The game's models: the ball, the cannon's parts, the action symbols, the bonus
// targets and their base, the plane with its propeller and bomb, the aim marker.
// Models painted from the palette carry the texture coordinates of its cells.
#pragma once

#include "tools/generator/geometrija.hpp"
#include "tools/generator/tekstury.hpp"

namespace generator {

inline constexpr float РАДИУС_ШАРИКА = 4.667f;  // half the ball diameter 9.334

// Sets every texture coordinate of the mesh to the middle of a palette cell.
Геометрия окрасить(Геометрия г, Краска к);

Геометрия модель_шарика();

// Cannon parts, each in the frame of its own node (see the cannon's assembly).
Геометрия модель_основания();   // the turntable, from the ground (y = -10) up
Геометрия модель_индикатора();  // a ball-textured sphere on the breech
Геометрия модель_лафета();
Геометрия модель_оси();         // along +y of its node, which points it outwards
Геометрия модель_колеса();      // axle along x
Геометрия модель_дула();        // points along -z, pivot at the origin
Геометрия модель_луча();        // flat, facing +y

// Action symbols; each fits inside a ball.
Геометрия модель_паузы();
Геометрия модель_назад();
Геометрия модель_прицела();
Геометрия модель_бомбы();
Геометрия модель_микросамолётика();

// Bonus targets, upright on y = 0.
Геометрия модель_горшка();
Геометрия модель_писсуара();
Геометрия модель_унитаза();
Геометрия модель_основы_бонуса();

// The plane, its nose along +z; the propeller at the nose turns about z.
Геометрия модель_самолёта();
Геометрия модель_винта();
Геометрия модель_авиабомбы();

}  // namespace generator
