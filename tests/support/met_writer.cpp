#include "support/met_writer.h"

#include <cstdio>
#include <cstdlib>

namespace climstat::test {

namespace {

std::string fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

}  // namespace

std::string metText(const MetText& o) {
    std::string text;
    if (o.zoneHeader) {
        text += "zonaX.met" + o.lineEnd;
        text += fixed(o.latitude, 6) + " " + fixed(o.longitude, 6) + " 667.000000 15.000000" +
                o.lineEnd;
    } else {
        text += "madrid.met -15\t\t\t" + o.lineEnd;
        text += fixed(o.latitude, 2) + "\t" + fixed(o.longitude, 2) + "\t667\t\t" + o.lineEnd;
    }
    for (int h = 1; h <= o.records; ++h) {
        const int day = (h - 1) / 24;
        text += std::to_string(day / 31 + 1) + "\t" + std::to_string(day % 31 + 1) + "\t" +
                std::to_string((h - 1) % 24 + 1) + "\t" + fixed(o.ts(h), 1) + "\t-2.9\t0\t0\t" +
                fixed(o.w(h), 6) + "\t75\t1.1\t218\t0.0\t90.0";
        for (int extra = 13; extra < o.tokensPerRecord; ++extra)
            text += "\t0.5";
        if (h < o.records || o.finalLineBreak) text += o.lineEnd;
    }
    return text;
}

float writtenTs(double value) {
    return static_cast<float>(std::strtod(fixed(value, 1).c_str(), nullptr));
}

float writtenW(double value) {
    return static_cast<float>(std::strtod(fixed(value, 6).c_str(), nullptr));
}

}  // namespace climstat::test
