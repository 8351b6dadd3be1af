#pragma once

// The one document of a run: the working image that editors change, the
// saved image that mirrors the last data file, and the model/band the
// document belongs to.

#include "radio_image.h"

#include <string>

namespace zav {

inline constexpr const char* kProgramModel = "ZAV415";
inline constexpr const char* kDefaultBandLabel = "25.615 - 30.105 MHz";
inline constexpr const char* kProgramImageVersion = "V300";
inline constexpr const char* kUntitledName = "new.dat";

/// Model and band the document belongs to, with the band limits in MHz.
struct ModelBand {
    std::string modelName = kProgramModel;
    std::string bandLabel = kDefaultBandLabel;
    double bandLow = 25.615;
    double bandHigh = 30.105;
    Int16 bandCodeOfImage = 0;

    /// Sets bandLow/bandHigh from bandLabel.
    void parseBandLimits();
};

class Document {
public:
    Document();

    ImageSet working;
    ImageSet saved;
    ModelBand model;
    std::string documentPath = kUntitledName;
    bool isUntitled = true;
    bool initPending = false;

    // Shorthands for the working image.
    RadioImage& image() { return working.Settings; }
    const RadioImage& image() const { return working.Settings; }
    ChannelTable& active() { return working.ActiveChannels; }
    const ChannelTable& active() const { return working.ActiveChannels; }
    ChannelTable& standby() { return working.StandbyChannels; }
    const ChannelTable& standby() const { return working.StandbyChannels; }

    /// Used records of the working active table (count clamped to 0..521).
    [[nodiscard]] int activeCount() const;
    [[nodiscard]] int standbyCount() const;

    /// Stamps Model/BandCode from the model globals, then copies the working
    /// image into the saved one: settings and every record slot of both
    /// tables, the slots beyond the counts included (they are file bytes too).
    void copyWorkingToSaved();
    /// Copies the saved image, every record slot included, into the working
    /// image and applies the loaded header to the model globals.
    void copySavedToWorking();
    /// Takes the saved settings (image-only template) into the working image,
    /// stamps the header and copies the result back; channels are untouched.
    void adoptSavedSettings();

    /// Exchanges every active/standby pair of the mode-swap table when the
    /// new mode belongs to the other channel mode; otherwise does nothing.
    void swapChannelMode(Int16 newMode);

    /// True when the working image differs from the saved one.
    [[nodiscard]] bool isModified() const;

    /// Index of the first used record of the active (or standby) working
    /// table with the given Number, or -1.
    [[nodiscard]] int findChannelByNumber(Int16 number, bool standby = false) const;

    /// Puts ModelName and the band code into the working header.
    void stampHeader();

    /// The file-name part of documentPath.
    [[nodiscard]] std::string documentName() const;
};

/// Exchanges all pairs of the mode-swap table inside one image set.
void exchangeModePairs(ImageSet& set);

} // namespace zav
