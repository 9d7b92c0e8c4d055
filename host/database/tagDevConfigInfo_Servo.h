#pragma once

#include <QString>

// A drive model known to the configuration database.
struct tagDevConfigInfo_Servo
{
    QString devName;       // model name, the key
    QString configVersion; // configuration version of the model's description
    int axisNum = 1;
    QString identFamily;   // first identifying text
    QString identFirmware; // second identifying text
    int identNumber = 0;   // identifying number

    bool operator==(const tagDevConfigInfo_Servo& o) const
    {
        return devName == o.devName && configVersion == o.configVersion && axisNum == o.axisNum &&
               identFamily == o.identFamily && identFirmware == o.identFirmware &&
               identNumber == o.identNumber;
    }
    bool operator!=(const tagDevConfigInfo_Servo& o) const { return !(*this == o); }
};
