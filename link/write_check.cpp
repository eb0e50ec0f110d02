#include "link/write_check.h"

#include "link/protocol.h"

namespace radio {

WriteCheck ClassifyBeforeWrite(const RadioData& data)
{
    if (data.radioBandLower == kNotReported || data.radioModel == kNotReported) {
        return WriteCheck::NotReported;
    }
    // Model values count channels: any non-zero value is a 16-channel radio.
    const bool sameModel = (data.radioModel != 0) == (data.model != 0);
    return data.radioBandLower == data.bandLower && sameModel ? WriteCheck::Match
                                                              : WriteCheck::Mismatch;
}

void AdoptDataAsRadio(RadioData& data)
{
    data.radioBandLower = data.bandLower;
    data.radioBandUpper = data.bandUpper;
    data.radioModel = data.model;
}

void ApplyRadioIdentity(RadioData& data)
{
    EncodeIdentity(data.block(Block::B01B8).data.data() + bytes::kIdentity, data.radioBandLower,
                   data.radioModel);
    data.bandLower = data.radioBandLower;
    data.bandUpper = data.radioBandUpper;
    data.model = data.radioModel;
}

WriteCheck TakeRadioReport(RadioData& data, const RadioReport& reported)
{
    data.radioBandLower = reported.bandLower;
    data.radioBandUpper = reported.bandUpper;
    data.radioModel = reported.model;
    const WriteCheck check = ClassifyBeforeWrite(data);
    switch (check) {
    case WriteCheck::NotReported:
        AdoptDataAsRadio(data);
        ApplyRadioIdentity(data);
        break;
    case WriteCheck::Match: ApplyRadioIdentity(data); break;
    case WriteCheck::Mismatch: break;
    }
    return check;
}

}  // namespace radio
