#pragma once

namespace norda::ombra {

// Text numbers of the transfer machine's messages and their captions.
namespace msg {
inline constexpr int kCaptionInfo = 601;        // "BİLGİ"
inline constexpr int kCaptionError = 602;       // "HATA"
inline constexpr int kCaptionWarning = 603;     // "DİKKAT!"
inline constexpr int kCaptionUsageError = 605;  // "KULLANIM HATASI"
inline constexpr int kCaptionSerialPort = 621;  // "SERİ ÇIKIŞ"
inline constexpr int kCaptionCommError = 622;   // "İLETİŞİM HATASI"

inline constexpr int kBadPort = 625;
inline constexpr int kReadError = 634;
inline constexpr int kConfirmDiscard = 800;
inline constexpr int kRadioData = 802;
inline constexpr int kProgressPreRead = 804;
inline constexpr int kProgressRead = 805;
inline constexpr int kReadInterrupted = 806;
inline constexpr int kNoTimelyReply = 807;
inline constexpr int kNoAnswer = 808;
inline constexpr int kProgressWrite = 809;
inline constexpr int kWriteInterrupted = 810;
inline constexpr int kProgrammed = 811;
inline constexpr int kNoLink = 812;
inline constexpr int kBandMismatch = 816;
inline constexpr int kWriteNeedsRead = 818;
inline constexpr int kCopyNeedsData = 819;
inline constexpr int kSequentialNeedsData = 820;
inline constexpr int kSequentialProgrammed = 821;
inline constexpr int kMasterUnprogrammed = 861;
inline constexpr int kServiceUnprogrammed = 862;
inline constexpr int kCloneUnprogrammed = 863;
inline constexpr int kUserUnprogrammed = 864;
inline constexpr int kTestAyarUnprogrammed = 865;
inline constexpr int kKsysUnprogrammed = 870;
// A layout of the program failed: nothing was taken for values or written.
inline constexpr int kLayoutFault = 3951;

// The short-write warning has no numbered string.
inline constexpr const char* kWriteErrorText = "YAZMA HATASI !!";
inline constexpr const char* kWriteErrorCaption = "SERİ PORT";
}  // namespace msg

}  // namespace norda::ombra
