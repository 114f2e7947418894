// Keyboard maps of real XKB layouts, as the X server holds them after
// `setxkbmap -layout ...` (xkb-data 2.35, evdev rules, pc105): one line per key,
// its XKB name, then per group "|" and the keysym names of its shift levels.
// Only the keys that matter for the key table: the digit row, the letter rows
// with the punctuation beside them, and (shared by all) the modifiers, Tab,
// arrows, function keys and a few keypad keys.
#pragma once

namespace xkb_layouts {

// The keys that every layout below shares: modifiers, Tab, arrows, function
// keys, a few keypad keys.
constexpr const char* kCommonKeys = R"(
TAB | Tab ISO_Left_Tab
LFSH | Shift_L
RTSH | Shift_R
LCTL | Control_L
RCTL | Control_R
LALT | Alt_L Meta_L
CAPS | Caps_Lock
SPCE | space
RTRN | Return
UP | Up
LEFT | Left
RGHT | Right
DOWN | Down
FK01 | F1 F1 F1 F1 XF86Switch_VT_1
FK02 | F2 F2 F2 F2 XF86Switch_VT_2
FK03 | F3 F3 F3 F3 XF86Switch_VT_3
FK04 | F4 F4 F4 F4 XF86Switch_VT_4
FK05 | F5 F5 F5 F5 XF86Switch_VT_5
FK06 | F6 F6 F6 F6 XF86Switch_VT_6
KP1 | KP_End KP_1
KP2 | KP_Down KP_2
KP5 | KP_Begin KP_5
KP0 | KP_Insert KP_0
KPEN | KP_Enter
ALT | NoSymbol Alt_L
I187 | parenleft
)";

// setxkbmap -layout us
constexpr const char* kUs = R"(
TLDE | grave asciitilde
AE01 | 1 exclam
AE02 | 2 at
AE03 | 3 numbersign
AE04 | 4 dollar
AE05 | 5 percent
AE06 | 6 asciicircum
AE07 | 7 ampersand
AE08 | 8 asterisk
AE09 | 9 parenleft
AE10 | 0 parenright
AE11 | minus underscore
AE12 | equal plus
AD01 | q Q
AD02 | w W
AD03 | e E
AD04 | r R
AD05 | t T
AD06 | y Y
AD07 | u U
AD08 | i I
AD09 | o O
AD10 | p P
AD11 | bracketleft braceleft
AD12 | bracketright braceright
AC01 | a A
AC02 | s S
AC03 | d D
AC04 | f F
AC05 | g G
AC06 | h H
AC07 | j J
AC08 | k K
AC09 | l L
AC10 | semicolon colon
AC11 | apostrophe quotedbl
BKSL | backslash bar
LSGT | less greater bar brokenbar
AB01 | z Z
AB02 | x X
AB03 | c C
AB04 | v V
AB05 | b B
AB06 | n N
AB07 | m M
AB08 | comma less
AB09 | period greater
AB10 | slash question
)";

// setxkbmap -layout fr
constexpr const char* kFr = R"(
TLDE | twosuperior asciitilde notsign notsign
AE01 | ampersand 1 onesuperior exclamdown
AE02 | eacute 2 asciitilde oneeighth
AE03 | quotedbl 3 numbersign sterling
AE04 | apostrophe 4 braceleft dollar
AE05 | parenleft 5 bracketleft threeeighths
AE06 | minus 6 bar fiveeighths
AE07 | egrave 7 grave seveneighths
AE08 | underscore 8 backslash trademark
AE09 | ccedilla 9 asciicircum plusminus
AE10 | agrave 0 at degree
AE11 | parenright degree bracketright questiondown
AE12 | equal plus braceright dead_ogonek
AD01 | a A ae AE
AD02 | z Z guillemotleft less
AD03 | e E EuroSign cent
AD04 | r R paragraph registered
AD05 | t T tslash Tslash
AD06 | y Y leftarrow yen
AD07 | u U downarrow uparrow
AD08 | i I rightarrow idotless
AD09 | o O oslash Oslash
AD10 | p P thorn THORN
AD11 | dead_circumflex dead_diaeresis dead_diaeresis dead_abovering
AD12 | dollar sterling currency dead_macron
AC01 | q Q at Greek_OMEGA
AC02 | s S ssharp U1E9E
AC03 | d D eth ETH
AC04 | f F dstroke ordfeminine
AC05 | g G eng ENG
AC06 | h H hstroke Hstroke
AC07 | j J dead_hook dead_horn
AC08 | k K kra ampersand
AC09 | l L lstroke Lstroke
AC10 | m M mu masculine
AC11 | ugrave percent dead_circumflex dead_caron
BKSL | asterisk mu dead_grave dead_breve
LSGT | less greater bar brokenbar
AB01 | w W lstroke Lstroke
AB02 | x X guillemotright greater
AB03 | c C cent copyright
AB04 | v V doublelowquotemark singlelowquotemark
AB05 | b B leftdoublequotemark leftsinglequotemark
AB06 | n N rightdoublequotemark rightsinglequotemark
AB07 | comma question dead_acute dead_doubleacute
AB08 | semicolon period U2022 multiply
AB09 | colon slash periodcentered division
AB10 | exclam section dead_belowdot dead_abovedot
)";

// setxkbmap -layout de
constexpr const char* kDe = R"(
TLDE | dead_circumflex degree U2032 U2033
AE01 | 1 exclam onesuperior exclamdown
AE02 | 2 quotedbl twosuperior oneeighth
AE03 | 3 section threesuperior sterling
AE04 | 4 dollar onequarter currency
AE05 | 5 percent onehalf threeeighths
AE06 | 6 ampersand notsign fiveeighths
AE07 | 7 slash braceleft seveneighths
AE08 | 8 parenleft bracketleft trademark
AE09 | 9 parenright bracketright plusminus
AE10 | 0 equal braceright degree
AE11 | ssharp question backslash questiondown U1E9E
AE12 | dead_acute dead_grave dead_cedilla dead_ogonek
AD01 | q Q at Greek_OMEGA
AD02 | w W U017F section
AD03 | e E EuroSign EuroSign
AD04 | r R paragraph registered
AD05 | t T tslash Tslash
AD06 | z Z leftarrow yen
AD07 | u U downarrow uparrow
AD08 | i I rightarrow idotless
AD09 | o O oslash Oslash
AD10 | p P thorn THORN
AD11 | udiaeresis Udiaeresis dead_diaeresis dead_abovering
AD12 | plus asterisk asciitilde macron
AC01 | a A ae AE
AC02 | s S U017F U1E9E
AC03 | d D eth ETH
AC04 | f F dstroke ordfeminine
AC05 | g G eng ENG
AC06 | h H hstroke Hstroke
AC07 | j J dead_belowdot dead_abovedot
AC08 | k K kra ampersand
AC09 | l L lstroke Lstroke
AC10 | odiaeresis Odiaeresis dead_doubleacute dead_belowdot
AC11 | adiaeresis Adiaeresis dead_circumflex dead_caron
BKSL | numbersign apostrophe rightsinglequotemark dead_breve
LSGT | less greater bar dead_belowmacron
AB01 | y Y guillemotright U203A
AB02 | x X guillemotleft U2039
AB03 | c C cent copyright
AB04 | v V doublelowquotemark singlelowquotemark
AB05 | b B leftdoublequotemark leftsinglequotemark
AB06 | n N rightdoublequotemark rightsinglequotemark
AB07 | m M mu masculine
AB08 | comma semicolon periodcentered multiply
AB09 | period colon U2026 division
AB10 | minus underscore endash emdash
)";

// setxkbmap -layout us -variant dvorak
constexpr const char* kUsDvorak = R"(
TLDE | grave asciitilde dead_grave dead_tilde
AE01 | 1 exclam
AE02 | 2 at
AE03 | 3 numbersign
AE04 | 4 dollar
AE05 | 5 percent
AE06 | 6 asciicircum dead_circumflex dead_circumflex
AE07 | 7 ampersand
AE08 | 8 asterisk
AE09 | 9 parenleft dead_grave dead_breve
AE10 | 0 parenright
AE11 | bracketleft braceleft
AE12 | bracketright braceright dead_tilde NoSymbol
AD01 | apostrophe quotedbl dead_acute dead_diaeresis
AD02 | comma less dead_cedilla dead_caron
AD03 | period greater dead_abovedot periodcentered
AD04 | p P
AD05 | y Y
AD06 | f F
AD07 | g G
AD08 | c C
AD09 | r R
AD10 | l L
AD11 | slash question
AD12 | equal plus
AC01 | a A
AC02 | o O
AC03 | e E
AC04 | u U
AC05 | i I
AC06 | d D
AC07 | h H
AC08 | t T
AC09 | n N
AC10 | s S
AC11 | minus underscore
BKSL | backslash bar
LSGT | less greater bar brokenbar
AB01 | semicolon colon dead_ogonek dead_doubleacute
AB02 | q Q
AB03 | j J
AB04 | k K
AB05 | x X
AB06 | b B
AB07 | m M
AB08 | w W
AB09 | v V
AB10 | z Z
)";

// setxkbmap -layout gb
constexpr const char* kGb = R"(
TLDE | grave notsign bar bar
AE01 | 1 exclam onesuperior exclamdown
AE02 | 2 quotedbl twosuperior oneeighth
AE03 | 3 sterling threesuperior sterling
AE04 | 4 dollar EuroSign onequarter
AE05 | 5 percent onehalf threeeighths
AE06 | 6 asciicircum threequarters fiveeighths
AE07 | 7 ampersand braceleft seveneighths
AE08 | 8 asterisk bracketleft trademark
AE09 | 9 parenleft bracketright plusminus
AE10 | 0 parenright braceright degree
AE11 | minus underscore backslash questiondown
AE12 | equal plus dead_cedilla dead_ogonek
AD01 | q Q at Greek_OMEGA
AD02 | w W U017F section
AD03 | e E e E
AD04 | r R paragraph registered
AD05 | t T tslash Tslash
AD06 | y Y leftarrow yen
AD07 | u U downarrow uparrow
AD08 | i I rightarrow idotless
AD09 | o O oslash Oslash
AD10 | p P thorn THORN
AD11 | bracketleft braceleft dead_diaeresis dead_abovering
AD12 | bracketright braceright dead_tilde dead_macron
AC01 | a A ae AE
AC02 | s S ssharp U1E9E
AC03 | d D eth ETH
AC04 | f F dstroke ordfeminine
AC05 | g G eng ENG
AC06 | h H hstroke Hstroke
AC07 | j J dead_hook dead_horn
AC08 | k K kra ampersand
AC09 | l L lstroke Lstroke
AC10 | semicolon colon dead_acute dead_doubleacute
AC11 | apostrophe at dead_circumflex dead_caron
BKSL | numbersign asciitilde dead_grave dead_breve
LSGT | backslash bar bar brokenbar
AB01 | z Z guillemotleft less
AB02 | x X guillemotright greater
AB03 | c C cent copyright
AB04 | v V doublelowquotemark singlelowquotemark
AB05 | b B leftdoublequotemark leftsinglequotemark
AB06 | n N rightdoublequotemark rightsinglequotemark
AB07 | m M mu masculine
AB08 | comma less U2022 multiply
AB09 | period greater periodcentered division
AB10 | slash question dead_belowdot dead_abovedot
)";

// setxkbmap -layout ru
constexpr const char* kRu = R"(
TLDE | Cyrillic_io Cyrillic_IO
AE01 | 1 exclam
AE02 | 2 quotedbl
AE03 | 3 numerosign
AE04 | 4 semicolon
AE05 | 5 percent
AE06 | 6 colon
AE07 | 7 question
AE08 | 8 asterisk U20BD NoSymbol
AE09 | 9 parenleft
AE10 | 0 parenright
AE11 | minus underscore
AE12 | equal plus
AD01 | Cyrillic_shorti Cyrillic_SHORTI
AD02 | Cyrillic_tse Cyrillic_TSE
AD03 | Cyrillic_u Cyrillic_U
AD04 | Cyrillic_ka Cyrillic_KA
AD05 | Cyrillic_ie Cyrillic_IE
AD06 | Cyrillic_en Cyrillic_EN
AD07 | Cyrillic_ghe Cyrillic_GHE
AD08 | Cyrillic_sha Cyrillic_SHA
AD09 | Cyrillic_shcha Cyrillic_SHCHA
AD10 | Cyrillic_ze Cyrillic_ZE
AD11 | Cyrillic_ha Cyrillic_HA
AD12 | Cyrillic_hardsign Cyrillic_HARDSIGN
AC01 | Cyrillic_ef Cyrillic_EF
AC02 | Cyrillic_yeru Cyrillic_YERU
AC03 | Cyrillic_ve Cyrillic_VE
AC04 | Cyrillic_a Cyrillic_A
AC05 | Cyrillic_pe Cyrillic_PE
AC06 | Cyrillic_er Cyrillic_ER
AC07 | Cyrillic_o Cyrillic_O
AC08 | Cyrillic_el Cyrillic_EL
AC09 | Cyrillic_de Cyrillic_DE
AC10 | Cyrillic_zhe Cyrillic_ZHE
AC11 | Cyrillic_e Cyrillic_E
BKSL | backslash slash
LSGT | slash bar bar brokenbar
AB01 | Cyrillic_ya Cyrillic_YA
AB02 | Cyrillic_che Cyrillic_CHE
AB03 | Cyrillic_es Cyrillic_ES
AB04 | Cyrillic_em Cyrillic_EM
AB05 | Cyrillic_i Cyrillic_I
AB06 | Cyrillic_te Cyrillic_TE
AB07 | Cyrillic_softsign Cyrillic_SOFTSIGN
AB08 | Cyrillic_be Cyrillic_BE
AB09 | Cyrillic_yu Cyrillic_YU
AB10 | period comma
)";

// setxkbmap -layout ru,fr
constexpr const char* kRuFr = R"(
TLDE | Cyrillic_io Cyrillic_IO | twosuperior asciitilde notsign notsign
AE01 | 1 exclam | ampersand 1 onesuperior exclamdown
AE02 | 2 quotedbl | eacute 2 asciitilde oneeighth
AE03 | 3 numerosign | quotedbl 3 numbersign sterling
AE04 | 4 semicolon | apostrophe 4 braceleft dollar
AE05 | 5 percent | parenleft 5 bracketleft threeeighths
AE06 | 6 colon | minus 6 bar fiveeighths
AE07 | 7 question | egrave 7 grave seveneighths
AE08 | 8 asterisk U20BD NoSymbol | underscore 8 backslash trademark
AE09 | 9 parenleft | ccedilla 9 asciicircum plusminus
AE10 | 0 parenright | agrave 0 at degree
AE11 | minus underscore | parenright degree bracketright questiondown
AE12 | equal plus | equal plus braceright dead_ogonek
AD01 | Cyrillic_shorti Cyrillic_SHORTI | a A ae AE
AD02 | Cyrillic_tse Cyrillic_TSE | z Z guillemotleft less
AD03 | Cyrillic_u Cyrillic_U | e E EuroSign cent
AD04 | Cyrillic_ka Cyrillic_KA | r R paragraph registered
AD05 | Cyrillic_ie Cyrillic_IE | t T tslash Tslash
AD06 | Cyrillic_en Cyrillic_EN | y Y leftarrow yen
AD07 | Cyrillic_ghe Cyrillic_GHE | u U downarrow uparrow
AD08 | Cyrillic_sha Cyrillic_SHA | i I rightarrow idotless
AD09 | Cyrillic_shcha Cyrillic_SHCHA | o O oslash Oslash
AD10 | Cyrillic_ze Cyrillic_ZE | p P thorn THORN
AD11 | Cyrillic_ha Cyrillic_HA | dead_circumflex dead_diaeresis dead_diaeresis dead_abovering
AD12 | Cyrillic_hardsign Cyrillic_HARDSIGN | dollar sterling currency dead_macron
AC01 | Cyrillic_ef Cyrillic_EF | q Q at Greek_OMEGA
AC02 | Cyrillic_yeru Cyrillic_YERU | s S ssharp U1E9E
AC03 | Cyrillic_ve Cyrillic_VE | d D eth ETH
AC04 | Cyrillic_a Cyrillic_A | f F dstroke ordfeminine
AC05 | Cyrillic_pe Cyrillic_PE | g G eng ENG
AC06 | Cyrillic_er Cyrillic_ER | h H hstroke Hstroke
AC07 | Cyrillic_o Cyrillic_O | j J dead_hook dead_horn
AC08 | Cyrillic_el Cyrillic_EL | k K kra ampersand
AC09 | Cyrillic_de Cyrillic_DE | l L lstroke Lstroke
AC10 | Cyrillic_zhe Cyrillic_ZHE | m M mu masculine
AC11 | Cyrillic_e Cyrillic_E | ugrave percent dead_circumflex dead_caron
BKSL | backslash slash | asterisk mu dead_grave dead_breve
LSGT | slash bar bar brokenbar
AB01 | Cyrillic_ya Cyrillic_YA | w W lstroke Lstroke
AB02 | Cyrillic_che Cyrillic_CHE | x X guillemotright greater
AB03 | Cyrillic_es Cyrillic_ES | c C cent copyright
AB04 | Cyrillic_em Cyrillic_EM | v V doublelowquotemark singlelowquotemark
AB05 | Cyrillic_i Cyrillic_I | b B leftdoublequotemark leftsinglequotemark
AB06 | Cyrillic_te Cyrillic_TE | n N rightdoublequotemark rightsinglequotemark
AB07 | Cyrillic_softsign Cyrillic_SOFTSIGN | comma question dead_acute dead_doubleacute
AB08 | Cyrillic_be Cyrillic_BE | semicolon period U2022 multiply
AB09 | Cyrillic_yu Cyrillic_YU | colon slash periodcentered division
AB10 | period comma | exclam section dead_belowdot dead_abovedot
)";

// setxkbmap -layout il
constexpr const char* kIl = R"(
TLDE | semicolon asciitilde U05F3 NoSymbol
AE01 | 1 exclam NoSymbol NoSymbol
AE02 | 2 at NoSymbol NoSymbol
AE03 | 3 numbersign EuroSign NoSymbol
AE04 | 4 dollar NewSheqelSign NoSymbol
AE05 | 5 percent degree NoSymbol
AE06 | 6 asciicircum U05AB NoSymbol
AE07 | 7 ampersand U05BD NoSymbol
AE08 | 8 asterisk multiply NoSymbol
AE09 | 9 parenright U200E NoSymbol
AE10 | 0 parenleft U200F NoSymbol
AE11 | minus underscore U05BE NoSymbol
AE12 | equal plus endash NoSymbol
AD01 | slash Q U05C2 NoSymbol
AD02 | apostrophe W U05C1 NoSymbol
AD03 | hebrew_qoph E U05B8 NoSymbol
AD04 | hebrew_resh R U05B3 NoSymbol
AD05 | hebrew_aleph T NoSymbol NoSymbol
AD06 | hebrew_tet Y U05F0 NoSymbol
AD07 | hebrew_waw U U05B9 NoSymbol
AD08 | hebrew_finalnun I NoSymbol NoSymbol
AD09 | hebrew_finalmem O NoSymbol NoSymbol
AD10 | hebrew_pe P U05B7 NoSymbol
AD11 | bracketright braceright U05B2 NoSymbol
AD12 | bracketleft braceleft U05BF NoSymbol
AC01 | hebrew_shin A U05B0 NoSymbol
AC02 | hebrew_dalet S U05BC NoSymbol
AC03 | hebrew_gimel D NoSymbol NoSymbol
AC04 | hebrew_kaph F NoSymbol NoSymbol
AC05 | hebrew_ayin G U05F1 NoSymbol
AC06 | hebrew_yod H U05F2 NoSymbol
AC07 | hebrew_chet J U05B4 NoSymbol
AC08 | hebrew_lamed K NoSymbol NoSymbol
AC09 | hebrew_finalkaph L rightdoublequotemark NoSymbol
AC10 | hebrew_finalpe colon doublelowquotemark NoSymbol
AC11 | comma quotedbl U05F4 NoSymbol
BKSL | backslash bar U05BB NoSymbol
LSGT | less greater bar brokenbar
AB01 | hebrew_zain Z NoSymbol NoSymbol
AB02 | hebrew_samech X U05B6 NoSymbol
AB03 | hebrew_bet C U05B1 NoSymbol
AB04 | hebrew_he V NoSymbol NoSymbol
AB05 | hebrew_nun B NoSymbol U05C6
AB06 | hebrew_mem N NoSymbol NoSymbol
AB07 | hebrew_zade M U05B5 NoSymbol
AB08 | hebrew_taw greater rightsinglequotemark NoSymbol
AB09 | hebrew_finalzade less singlelowquotemark NoSymbol
AB10 | period question division NoSymbol
)";

// setxkbmap -layout gr
constexpr const char* kGr = R"(
TLDE | grave asciitilde
AE01 | 1 exclam NoSymbol onesuperior
AE02 | 2 at onehalf twosuperior
AE03 | 3 numbersign sterling threesuperior
AE04 | 4 dollar onequarter threequarters
AE05 | 5 percent EuroSign NoSymbol
AE06 | 6 asciicircum U03F0 NoSymbol
AE07 | 7 ampersand U03D7 U03CF
AE08 | 8 asterisk U20AF NoSymbol
AE09 | 9 parenleft
AE10 | 0 parenright degree NoSymbol
AE11 | minus underscore plusminus NoSymbol
AE12 | equal plus
AD01 | semicolon colon periodcentered NoSymbol
AD02 | Greek_finalsmallsigma Greek_SIGMA U03DB U03DA
AD03 | Greek_epsilon Greek_EPSILON EuroSign NoSymbol
AD04 | Greek_rho Greek_RHO registered U03F1
AD05 | Greek_tau Greek_TAU
AD06 | Greek_upsilon Greek_UPSILON U03D2 U03D2
AD07 | Greek_theta Greek_THETA U03D1 U03F4
AD08 | Greek_iota Greek_IOTA U037B U03FD
AD09 | Greek_omicron Greek_OMICRON
AD10 | Greek_pi Greek_PI U03E1 U03E0
AD11 | bracketleft braceleft dead_tilde dead_macron
AD12 | bracketright braceright dead_iota dead_breve
AC01 | Greek_alpha Greek_ALPHA
AC02 | Greek_sigma Greek_SIGMA
AC03 | Greek_delta Greek_DELTA downarrow uparrow
AC04 | Greek_phi Greek_PHI U03D5 NoSymbol
AC05 | Greek_gamma Greek_GAMMA U03DD U03DC
AC06 | Greek_eta Greek_ETA
AC07 | Greek_xi Greek_XI U037C U03FE
AC08 | Greek_kappa Greek_KAPPA U03DF U03DE
AC09 | Greek_lamda Greek_LAMDA U03F2 U03F9
AC10 | dead_acute dead_diaeresis dead_acute dead_abovecomma
AC11 | apostrophe quotedbl dead_grave dead_abovereversedcomma
BKSL | backslash bar
LSGT | guillemotleft guillemotright bar brokenbar
AB01 | Greek_zeta Greek_ZETA U037D U03FF
AB02 | Greek_chi Greek_CHI rightarrow leftarrow
AB03 | Greek_psi Greek_PSI copyright NoSymbol
AB04 | Greek_omega Greek_OMEGA U03D6 NoSymbol
AB05 | Greek_beta Greek_BETA U03D0 NoSymbol
AB06 | Greek_nu Greek_NU U0374 U0375
AB07 | Greek_mu Greek_MU U03FB U03FA
AB08 | comma less guillemotleft NoSymbol
AB09 | period greater guillemotright periodcentered
AB10 | slash question
)";

// setxkbmap -layout lt
constexpr const char* kLt = R"(
TLDE | grave asciitilde acute notsign
AE01 | aogonek Aogonek 1 exclam
AE02 | ccaron Ccaron 2 at
AE03 | eogonek Eogonek 3 numbersign
AE04 | eabovedot Eabovedot 4 dollar
AE05 | iogonek Iogonek 5 percent
AE06 | scaron Scaron 6 asciicircum
AE07 | uogonek Uogonek 7 ampersand
AE08 | umacron Umacron 8 asterisk
AE09 | doublelowquotemark parenleft 9 parenleft
AE10 | leftdoublequotemark parenright 0 parenright
AE11 | minus underscore endash questiondown
AE12 | zcaron Zcaron equal plus
AD01 | q Q at Greek_OMEGA
AD02 | w W U017F section
AD03 | e E EuroSign sterling
AD04 | r R paragraph registered
AD05 | t T tslash Tslash
AD06 | y Y leftarrow yen
AD07 | u U downarrow uparrow
AD08 | i I rightarrow idotless
AD09 | o O oslash Oslash
AD10 | p P thorn THORN
AD11 | bracketleft braceleft dead_diaeresis dead_abovering
AD12 | bracketright braceright dead_tilde dead_macron
AC01 | a A ae AE
AC02 | s S ssharp U1E9E
AC03 | d D eth ETH
AC04 | f F dstroke ordfeminine
AC05 | g G eng ENG
AC06 | h H hstroke Hstroke
AC07 | j J dead_hook dead_horn
AC08 | k K kra ampersand
AC09 | l L lstroke Lstroke
AC10 | semicolon colon dead_acute dead_doubleacute
AC11 | apostrophe quotedbl dead_circumflex dead_caron
BKSL | backslash bar dead_grave dead_breve
LSGT | endash EuroSign bar brokenbar
AB01 | z Z guillemotleft less
AB02 | x X guillemotright greater
AB03 | c C cent copyright
AB04 | v V doublelowquotemark singlelowquotemark
AB05 | b B leftdoublequotemark leftsinglequotemark
AB06 | n N rightdoublequotemark rightsinglequotemark
AB07 | m M mu masculine
AB08 | comma less U2022 multiply
AB09 | period greater periodcentered division
AB10 | slash question dead_belowdot dead_abovedot
)";

// setxkbmap -layout us -variant dvp
constexpr const char* kUsDvp = R"(
TLDE | dollar asciitilde dead_tilde dead_tilde
AE01 | ampersand percent
AE02 | bracketleft 7 currency NoSymbol
AE03 | braceleft 5 cent NoSymbol
AE04 | braceright 3 yen NoSymbol
AE05 | parenleft 1 EuroSign NoSymbol
AE06 | equal 9 sterling NoSymbol
AE07 | asterisk 0 NoSymbol NoSymbol
AE08 | parenright 2 onehalf NoSymbol
AE09 | plus 4 NoSymbol NoSymbol
AE10 | bracketright 6 NoSymbol NoSymbol
AE11 | exclam 8 exclamdown U2E18
AE12 | numbersign grave dead_grave NoSymbol
AD01 | semicolon colon dead_diaeresis dead_diaeresis
AD02 | comma less guillemotleft U201C
AD03 | period greater guillemotright U201D
AD04 | p P paragraph section
AD05 | y Y udiaeresis Udiaeresis
AD06 | f F
AD07 | g G
AD08 | c C ccedilla Ccedilla
AD09 | r R registered trademark
AD10 | l L
AD11 | slash question questiondown U203D
AD12 | at asciicircum dead_circumflex dead_caron
AC01 | a A aring Aring
AC02 | o O oslash Oslash
AC03 | e E ae AE
AC04 | u U eacute Eacute
AC05 | i I
AC06 | d D eth ETH
AC07 | h H dead_acute NoSymbol
AC08 | t T thorn THORN
AC09 | n N ntilde Ntilde
AC10 | s S ssharp U1E9E
AC11 | minus underscore hyphen endash
BKSL | backslash bar
LSGT | less greater bar brokenbar
AB01 | apostrophe quotedbl dead_acute dead_doubleacute
AB02 | q Q
AB03 | j J
AB04 | k K
AB05 | x X
AB06 | b B
AB07 | m M
AB08 | w W
AB09 | v V
AB10 | z Z
)";

// setxkbmap -layout tr -variant f
constexpr const char* kTrF = R"(
TLDE | plus asterisk notsign plusminus
AE01 | 1 exclam onesuperior exclamdown
AE02 | 2 quotedbl twosuperior VoidSymbol
AE03 | 3 asciicircum numbersign threesuperior
AE04 | 4 dollar onequarter VoidSymbol
AE05 | 5 percent onehalf threeeighths
AE06 | 6 ampersand threequarters VoidSymbol
AE07 | 7 apostrophe braceleft VoidSymbol
AE08 | 8 parenleft bracketleft VoidSymbol
AE09 | 9 parenright bracketright plusminus
AE10 | 0 equal braceright degree
AE11 | slash question backslash questiondown
AE12 | minus underscore bar VoidSymbol
AD01 | f F at VoidSymbol
AD02 | g G VoidSymbol VoidSymbol
AD03 | gbreve Gbreve VoidSymbol VoidSymbol
AD04 | idotless I paragraph VoidSymbol
AD05 | o O ocircumflex Ocircumflex
AD06 | d D yen VoidSymbol
AD07 | r R registered VoidSymbol
AD08 | n N VoidSymbol VoidSymbol
AD09 | h H degree VoidSymbol
AD10 | p P sterling VoidSymbol
AD11 | q Q dead_diaeresis dead_abovering
AD12 | w W asciitilde dead_breve
AC01 | u U ucircumflex Ucircumflex
AC02 | i Iabovedot icircumflex Icircumflex
AC03 | e E EuroSign VoidSymbol
AC04 | a A acircumflex Acircumflex
AC05 | udiaeresis Udiaeresis ucircumflex Ucircumflex
AC06 | t T U20BA VoidSymbol
AC07 | k K VoidSymbol VoidSymbol
AC08 | m M mu VoidSymbol
AC09 | l L VoidSymbol VoidSymbol
AC10 | y Y acute dead_acute
AC11 | scedilla Scedilla numbersign dead_caron
BKSL | x X grave dead_grave
LSGT | less greater bar brokenbar
AB01 | j J guillemotleft less
AB02 | odiaeresis Odiaeresis guillemotright greater
AB03 | v V leftdoublequotemark VoidSymbol
AB04 | c C cent copyright
AB05 | ccedilla Ccedilla rightdoublequotemark VoidSymbol
AB06 | z Z VoidSymbol VoidSymbol
AB07 | s S section VoidSymbol
AB08 | b B multiply nobreakspace
AB09 | period colon division dead_abovedot
AB10 | comma semicolon periodcentered VoidSymbol
)";

}  // namespace xkb_layouts
