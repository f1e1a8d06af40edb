// The upper half of code page 437 in code page 1252. Accented letters,
// currency signs and the Latin-1 symbols keep their character. The rest fall
// back to a plain look-alike: line and corner pieces of boxes to "-", "|"
// and "+", shades and blocks to "#", "_", "-" and "|", Greek letters to the
// Latin letter they resemble, and the mathematical signs to the nearest
// ASCII sign. No byte maps to a control character or a double quote, so a
// converted answer stays on its line and inside its quotes in a script.
#include "platform/cp437_to_1252.h"

#include <array>

namespace qb {

namespace {

// clang-format off
constexpr std::array<unsigned char, 128> kUpperHalf = {
    // 0x80-0x8F: Ç ü é â ä à å ç ê ë è ï î ì Ä Å
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,
    // 0x90-0x9F: É æ Æ ô ö ò û ù ÿ Ö Ü ¢ £ ¥ ₧(P) ƒ
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xA2, 0xA3, 0xA5, 'P', 0x83,
    // 0xA0-0xAF: á í ó ú ñ Ñ ª º ¿ ⌐(¬) ¬ ½ ¼ ¡ « »
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0xAC, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,
    // 0xB0-0xBF: ░ ▒ ▓ │ ┤ ╡ ╢ ╖ ╕ ╣ ║ ╗ ╝ ╜ ╛ ┐
    '#',  '#',  '#',  '|',  '+',  '+',  '+',  '+',  '+',  '+',  '|',  '+',  '+',  '+',  '+',  '+',
    // 0xC0-0xCF: └ ┴ ┬ ├ ─ ┼ ╞ ╟ ╚ ╔ ╩ ╦ ╠ ═ ╬ ╧
    '+',  '+',  '+',  '+',  '-',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '-',  '+',  '+',
    // 0xD0-0xDF: ╨ ╤ ╥ ╙ ╘ ╒ ╓ ╫ ╪ ┘ ┌ █ ▄ ▌ ▐ ▀
    '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '+',  '#',  '_',  '|',  '|',  '-',
    // 0xE0-0xEF: α ß Γ π Σ σ µ τ Φ Θ Ω δ ∞ φ ε ∩
    'a',  0xDF, 'G',  'p',  'S',  's',  0xB5, 't',  'F',  'T',  'O',  'd',  '8',  'f',  'e',  'n',
    // 0xF0-0xFF: ≡ ± ≥ ≤ ⌠ ⌡ ÷ ≈ ° ∙ · √ ⁿ ² ■ (no-break space)
    '=',  0xB1, '=',  '=',  '(',  ')',  0xF7, '~',  0xB0, 0xB7, 0xB7, 'v',  'n',  0xB2, '#',  0xA0,
};
// clang-format on

}  // namespace

unsigned char cp437_to_1252(unsigned char oem) {
  return oem < 0x80 ? oem : kUpperHalf[oem - 0x80];
}

}  // namespace qb
