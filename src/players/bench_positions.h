#pragma once
// Positions of the benchmark: 60 positions from games this engine played against itself at
// each level, after each of the fourteen first moves, taken at moves 6, 13, 21 and 30.
namespace zelk {
inline constexpr const char* kBenchSfens[] = {
    "r2gk/1s1r1/4p/3G1/+s1KB1 w Bp 22",  "1rsg1/3kp/P2b1/1KB2/1GS1R b - 7",   "rbk2/1s1gp/5/PG1S1/1K1BR w - 14",
    "1+R2g/+B2kp/2Ss1/PG3/1K1BR w - 22", "r1sg1/3kp/5/3S1/KG1+bR b bp 7",     "1bsg1/1r1kp/P4/2S2/KGr1+b w - 14",
    "rbsgk/2r2/4p/P1K2/1GSB1 b - 7",     "+B3k/2s1p/P2g1/5/KGSR1 w Br 22",    "r1sg1/3k1/4p/PG3/K1SBR b b 31",
    "1rsg1/3kp/3b1/PGB2/1KS1R b - 7",    "rbk2/1s1gp/5/PG1S1/1K1BR w - 22",   "r1sg1/b3p/2Sk1/PK3/1G1BR b - 7",
    "K2k1/1r2g/sR3/5/1G1B1 b BSPp 31",   "2r1k/1g1rg/4p/3B1/+s1KB1 b SP 31",  "rbs1k/2r1g/1P3/PK3/1GSB1 b - 7",
    "rbs2/1r1kg/1P3/PK3/1GSB1 b - 7",    "r2rk/b1Ps1/2Spg/3G1/1K1B1 b - 31",  "r2gk/1S3/P3p/1K2b/1G2b w RS 22",
    "r1sgk/2b2/PB2p/1S3/KG2R w - 22",    "r3k/b1Psg/P1S2/2G2/1K1B1 w r 22",   "r2k1/1s3/P1g1p/5/K1S1R w Bbg 22",
    "r2g1/2skp/3b1/PGS2/1K1BR b - 7",    "1r3/P1gkp/1S3/K1G1b/4+b w Sr 22",   "1bsg1/1r1kp/P4/1K3/1GS1R b b 7",
    "1bsgk/4p/5/1K1S1/1G1B+r b rp 7",    "r1sgk/1r3/1B1bp/PK3/1GS2 w - 14",   "rbkg1/1s2p/5/P2S1/1GKBR b - 7",
    "1r1g1/3kp/PSbb1/K4/1G2R w S 14",    "r4/1bgkp/sK3/3+b1/2G2 w SPr 22",    "1+P1k1/1s3/1g2p/1G1S1/K2BR w Br 22",
    "r1sg1/2bk1/PB2p/1S3/KG2R b - 31",   "1bsgk/1r2p/3b1/P1K2/1GS1R b - 7",   "1bs1k/1r2p/1B3/1K1S1/1G3 w Grp 14",
    "r2g1/bs1kp/5/PK3/1GSBR b - 7",      "rb1k1/1s1gp/5/PG1S1/1K1BR b - 31",  "rb3/1s1kg/5/PKGS1/3B1 w Pr 14",
    "sbk1G/5/1P3/1S3/K2BR b Grp 31",     "rbkg1/1s2p/5/P1GS1/1K1BR b - 7",    "rbsgk/4p/P1B2/1K3/1GSR1 w - 14",
    "1bsgk/2r1p/5/5/1GKBS b Rp 31",      "1r1g1/2bk1/Ks1BR/P2S1/1G3 w P 14",  "2kg1/+Bs2p/3s1/PG3/1K1BR w R 14",
    "r2gk/1s2r/3Kp/P4/1G1B1 w Bs 14",    "1rg2/P2kp/1S3/K1G1b/4+b b Sr 31",   "1b1rk/4p/1G1S1/1K1S1/2G2 w rbp 22",
    "r+B1g1/1s1kp/2r2/P3B/1GSK1 w - 14", "r4/1sgkp/3S1/P4/KG1R1 w 2B 14",     "rbkg1/1s2p/5/P2S1/1GKBR b - 31",
    "rBsgk/4p/1r3/P3B/KGS2 b - 7",       "+P4/1s1kg/3Gp/1S1R1/K2BR w B 14",   "r4/b2kg/5/P1s2/Kg1B1 w Prs 22",
    "r1sg1/2bk1/PB2p/1S3/KG2R b - 7",    "rksg1/4p/P1K2/5/1G2R w 2Bs 14",     "r2gk/3s1/r1b2/1SK1+B/1G3 w 2P 22",
    "r2g1/2skp/1B1b1/PK3/1GS1R b - 7",   "1r2k/P1g1p/1G3/2S1b/K1S1+b b r 31", "br2k/K1s1g/1S3/5/1G1B1 w RPp 22",
    "rb1g1/Ps1k1/4p/1S3/KG1BR b - 7",    "1r3/2gkp/1G3/PKS1b/2S2 w rb 14",    "rbsg1/Bk2p/P4/3S1/KG2R b - 7",
};
}  // namespace zelk
