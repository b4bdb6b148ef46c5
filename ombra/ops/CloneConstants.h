#pragma once

#include <cstdint>

namespace norda::ombra {

// Installation constants of the INI section "Clone Constants", one unsigned byte
// each (the integer read, modulo 256). Every write puts them into the radio.
struct CloneConstants {
    uint8_t TUNETIM = 10;
    uint8_t AKDUR = 25;
    uint8_t LPRF = 100;
    uint8_t HPRF = 20;
    uint8_t RSSITreshhold = 150;
    uint8_t PLLSETT = 10;
    uint8_t PLLUNL = 20;
    uint8_t PRTIM0 = 25;
    uint8_t SQTDEL = 2;
    uint8_t TCSSCN = 20;
    uint8_t PRITCS0 = 10;
    uint8_t ZCC_CCIR = 20;
    uint8_t GZCC_CCIR = 6;
    uint8_t BZCC_CCIR = 8;
    uint8_t ZCC_ZVEI = 14;
    uint8_t GZCC_ZVEI = 4;
    uint8_t BZCC_ZVEI = 5;
    uint8_t ZCC_EEA = 8;
    uint8_t GZCC_EEA = 2;
    uint8_t BZCC_EEA = 3;
    uint8_t StdDev = 28;
    uint8_t PSMTIM = 100;
};

}  // namespace norda::ombra
