#pragma once

#include <bitset>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codeplug/PictureMatcher.h"
#include "platform/TextSource.h"

namespace norda {

// String-table numbers of the validators' error texts.
enum ValidatorTextId : int {
    kTextRangeOrList = 641,       // "Değer %ld ile %ld arasında veya %s olmalıdır."
    kTextTwoRanges = 642,         // "Değer %ld ile %ld, veya %ld ile %ld arasında olmalıdır."
    kTextRangeTwoSteps = 643,     // "Değer %g ile %g arasında olmalıdır.\nBasamak = %s veya %s"
    kTextRange = 644,             // "Değer %ld ile %ld arasında olmalıdır."
    kTextRangeStep = 645,         // "Değer %g ile %g arasında olmalıdır. Basamak = %s"
    kTextSingleValue = 646,       // "%sDeğer %d olmalıdır."
    kTextPictureList = 647,       // "Değer aşağıdakilerden biri olmalıdır :\n %s\n %s\n %s"
    kTextNotEmpty = 648,          // "Bu alanı boş bırakmayın!"
    kTextInvalidCharacter = 649,  // "Girilen değerde geçersiz karakter var !"
    kTextTxFrequencyMissing = 755,
    kTextRxFrequencyMissing = 756,
};

enum class TransferDirection { GetData, SetData };

// A field's validator: it filters typed input, judges the whole text when the field
// is left, and words the error the page shows (caption "HATA") when it refuses.
// Texts are UTF-8.
class TValidator {
  public:
    virtual ~TValidator() = default;
    virtual std::string ErrorText(const TextSource& texts) const = 0;
    // Typed input; may reshape the text (upper case). False refuses the keystroke.
    virtual bool IsValidInput(std::string& text, bool suppressFill);
    // What the field holds for a typed text, before IsValidInput judges it: a field
    // may take a character in another form than it was typed.
    virtual std::string AsTyped(std::string text) const { return text; }
    virtual bool IsValid(const std::string& text) = 0;

    // Only fields that ask for it move their value through the validator.
    void SetTransfer(bool on) { transfer_ = on; }
    bool Transfers() const { return transfer_; }

  protected:
    bool transfer_ = false;
};

// Lets only the characters of its set through, e.g. "0-9-" (digits and minus) or
// "0-9.-" (and the decimal point). Characters outside ASCII never pass.
class TFilterValidator : public TValidator {
  public:
    explicit TFilterValidator(std::string_view charSet);
    bool IsValidInput(std::string& text, bool suppressFill) override;
    bool IsValid(const std::string& text) override;
    bool Allows(char c) const { return set_.test(static_cast<unsigned char>(c)); }

  protected:
    void Disallow(char c) { set_.reset(static_cast<unsigned char>(c)); }

  private:
    std::bitset<256> set_;
};

// Integer fields: filter "0-9-", values moved as "%ld".
class TIntegerFilterValidator : public TFilterValidator {
  public:
    explicit TIntegerFilterValidator(int64_t lowest);
    // False (and nothing moved) unless the field asks for transfer.
    bool Transfer(std::string& text, int32_t& value, TransferDirection dir) const;
};

// Real fields: filter "0-9.-", values moved as "%lf".
class TRealFilterValidator : public TFilterValidator {
  public:
    explicit TRealFilterValidator(double lowest);
    bool Transfer(std::string& text, double& value, TransferDirection dir) const;
    // A comma typed where the point belongs is the point: the decimal key of a Turkish
    // keypad gives ",", and dropping it would turn "0,5" into 5.
    std::string AsTyped(std::string text) const override;
};

// The pair of 16-bit bounds that ties a lower and an upper field together (the
// low- and high-power levels): the lower field may not pass what the upper holds.
struct LinkedBounds {
    int16_t lower = 0;
    int16_t upper = 0;
    static LinkedBounds& Shared();  // the program's one pair
};

enum RangeLink : int { kNoLink = 0, kLowerField = 1, kUpperField = 2 };

class TLRangeValidator : public TIntegerFilterValidator {
  public:
    TLRangeValidator(int32_t min, int32_t max, bool zeroAllowed = false, bool emptyAllowed = false,
                     int link = kNoLink, LinkedBounds* bounds = nullptr);
    bool IsValid(const std::string& text) override;
    std::string ErrorText(const TextSource& texts) const override;

  private:
    int32_t min_, max_;
    bool zeroAllowed_, emptyAllowed_;
    int link_;
    LinkedBounds* bounds_;
};

// A range and a list of further allowed values.
class TLRangeWAValidator : public TIntegerFilterValidator {
  public:
    TLRangeWAValidator(int32_t min, int32_t max, std::span<const int32_t> also,
                       bool zeroAllowed = false, bool emptyAllowed = false);
    bool IsValid(const std::string& text) override;
    std::string ErrorText(const TextSource& texts) const override;

  private:
    int32_t min_, max_;
    std::vector<int32_t> also_;
    bool zeroAllowed_, emptyAllowed_;
};

class TL2RangeValidator : public TIntegerFilterValidator {
  public:
    TL2RangeValidator(int32_t min1, int32_t max1, int32_t min2, int32_t max2,
                      bool zeroAllowed = false, bool emptyAllowed = false);
    bool IsValid(const std::string& text) override;
    std::string ErrorText(const TextSource& texts) const override;

  private:
    int32_t min1_, max1_, min2_, max2_;
    bool zeroAllowed_, emptyAllowed_;
};

// The pages that own frequency fields: the channel page (rows 1-10) and the KSYS
// page (row 0). The window messages they stand for are 0x0520 and 0x0521.
class FrequencyFieldHost {
  public:
    enum Which : int { kReceive = 0, kTransmit = 1 };
    virtual ~FrequencyFieldHost() = default;
    // A frequency field was emptied to 0.
    virtual void FrequencyCleared(int which, int row) = 0;
    // Whether that row's frequency is set.
    virtual bool FrequencySet(int which, int row) = 0;
};

enum FrequencyLink : int { kNoFrequencyLink = 0, kReceiveLink = 1, kTransmitLink = 2 };

// Frequencies in megahertz on a channel raster: step kind 2 takes 10 or 12.5 kHz,
// kind 3 takes 10 or 6.25 kHz, any other 12.5 kHz (checked only for linked fields).
class TFRangeValidator : public TRealFilterValidator {
  public:
    TFRangeValidator(double min, double max, bool zeroAllowed, int link, int row, int stepKind,
                     FrequencyFieldHost* host = nullptr);
    bool IsValid(const std::string& text) override;
    std::string ErrorText(const TextSource& texts) const override;

  private:
    double min_, max_;
    bool zeroAllowed_;
    int link_, row_, stepKind_;
    FrequencyFieldHost* host_;
};

class TStepValidator : public TRealFilterValidator {
  public:
    TStepValidator(double min, double max, double step, bool zeroAllowed = false);
    bool IsValid(const std::string& text) override;
    std::string ErrorText(const TextSource& texts) const override;

  private:
    double min_, max_, step_;
    bool zeroAllowed_;
};

class TSingleIntValidator : public TIntegerFilterValidator {
  public:
    TSingleIntValidator(int32_t value, bool required, std::string prefix);
    bool IsValid(const std::string& text) override;
    std::string ErrorText(const TextSource& texts) const override;

  private:
    int32_t value_;
    bool required_;
    std::string prefix_;
};

// A picture validator that can also insist that the row's receive or transmit
// frequency is set before a value (a tone) is given.
class TListValidator : public TValidator {
  public:
    TListValidator(std::string picture, int link = kNoFrequencyLink, int row = 0,
                   bool autoFill = false, FrequencyFieldHost* host = nullptr);
    bool IsValidInput(std::string& text, bool suppressFill) override;
    bool IsValid(const std::string& text) override;
    std::string ErrorText(const TextSource& texts) const override;

  private:
    enum Missing { kNothing, kReceiveMissing, kTransmitMissing };
    std::string picture_;
    PictureMatcher matcher_;
    int link_, row_;
    bool autoFill_;
    FrequencyFieldHost* host_;
    Missing missing_ = kNothing;
};

// Allowed characters as a map over the Windows-1254 code page; typed text may be
// upper-cased first, the Turkish way (i/İ, ı/I) when the country code is 90.
class TNEFilterValidator : public TValidator {
  public:
    TNEFilterValidator(const std::bitset<256>& allowed, bool upperCase, bool emptyAllowed,
                       int countryCode = 90);
    bool IsValidInput(std::string& text, bool suppressFill) override;
    bool IsValid(const std::string& text) override;
    std::string ErrorText(const TextSource& texts) const override;

  private:
    bool AllAllowed(const std::string& text1254, bool lossless) const;
    std::bitset<256> allowed_;
    bool upperCase_, emptyAllowed_;
    int countryCode_;
    bool lastEmpty_ = false;
};

class TNEValidator : public TValidator {
  public:
    bool IsValid(const std::string& text) override { return !text.empty(); }
    std::string ErrorText(const TextSource& texts) const override;
};

// Typed-text upper-casing of TNEFilterValidator, on Windows-1254 bytes.
std::string UpperCaseTyped1254(std::string_view text1254, int countryCode);

// The map of "0-9" style character ranges, over Windows-1254 bytes.
std::bitset<256> CharacterSet(std::string_view ranges1254);

}  // namespace norda
