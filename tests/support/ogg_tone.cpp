#include "support/ogg_tone.h"

#include <cstdint>

namespace {

const char kOggToneBase64[] =
    "T2dnUwACAAAAAAAAAAABAAAAAAAAAKmHpnEBHgF2b3JiaXMAAAAAASJWAAAAAAAAwF0AAAAAAACqAU9nZ1MAAAAAAAAAAA"
    "AA"
    "AQAAAAEAAACYgXpCDkT///////////////"
    "+aA3ZvcmJpczQAAABYaXBoLk9yZyBsaWJWb3JiaXMgSSAyMDIwMDcwNCAoUmVk"
    "dWNpbmcgRW52aXJvbm1lbnQpAAAAAAEFdm9yYmlzIkJDVgEACAAAgCAKGcaA0JBVAAAQAABCiEbGUKeUBJeChRBHxFCHkP"
    "NQ"
    "aukgeEphyZj0FGsQQgjfe8+"
    "99957IDRkFQAABABAGAUOYuAxCUIIoRjFCVGcKQhCCGE5CZZyHjoJQvcghBAu595y7r33HggN"
    "WQUAAAIAMAghhBBCCCGEEEIKKaUUUooppphiyjHHHHPMMcgggww66KSTTjKppJOOMsmoo9RaSi3FFFNsucVYa60159xrUM"
    "oY"
    "Y4wxxhhjjDHGGGOMMcYIQkNWAQAgAACEQQYZZBBCCCGFFFKKKaYcc8wxx4DQkFUAACAAgAAAAABHkRTJkRzJkSRJsiRL0i"
    "TP"
    "8izP8ixPEzVRU0VVdVXbtX3bl33bd3XZt33ZdnVZl2VZd21bl3VX13Vd13Vd13Vd13Vd13Vd13UgNGQVACABAKAjOY4jOY"
    "4j"
    "OZIjKZIChIasAgBkAAAEAOAojuI4kiM5lmNJlqRJmuVZnuVpniZqogeEhqwCAAABAAQAAAAAAKAoiuIojiNJlqVpmuepni"
    "iK"
    "pqqqommqqqqapmmapmmapmmapmmapmmapmmapmmapmmapmmapmmapmmaQGjIKgBAAgBAx3Ecx1Ecx3EcyZEkCQgNWQUAyA"
    "AA"
    "CADAUBRHkRzLsSTN0izP8jTRMz1XlE3d1FUbCA1ZBQAAAgAIAAAAAADA8RzP8RxP8iTP8hzP8SRP0jRN0zRN0zRN0zRN0z"
    "RN"
    "0zRN0zRN0zRN0zRN0zRN0zRN0zRN0zRN0zRN04DQkFUAAAIAACCIQoYxIDRkFQAABACAEKKRMdQpJcGlYCHEETHUIeQ8lF"
    "o6"
    "CJ5SWDImPcUahBDC995z7733HggNWQUAAAEAEEaBgxh4TIIQQihGcUIUZwqCEEJYToKlnIdOgtA9CCGEy7m3nHvvvQdCQ1"
    "YB"
    "AIAAAAxCCCGEEEIIIYSQQkophZRiiimmmHLMMccccwwyyCCDDjrppJNMKumko0wy6ii1llJLMcUUW24x1lprzTn3GpQyxh"
    "hj"
    "jDHGGGOMMcYYY4wxgtCQVQAACAAAYZBBBhmEEEJIIYWUYoopxxxzzDEgNGQVAAAIACAAAADAUSRFciRHciRJkizJkjTJsz"
    "zL"
    "szzL00RN1FRRVV3Vdm3f9mXf9l1d9m1ftl1d1mVZ1l3b1mXd1XVd13Vd13Vd13Vd13Vd13UdCA1ZBQBIAADoSI7jSI7jSI"
    "7k"
    "SIqkAKEhqwAAGQAAAQA4iqM4juRIjuVYkiVpkmZ5lmd5mqeJmugBoSGrAABAAAABAAAAAAAoiqI4iuNIkmVpmuZ5qieKoq"
    "mq"
    "qmiaqqqqpmmapmmapmmapmmapmmapmmapmmapmmapmmapmmapmmaJhAasgoAkAAA0HEcx3EUx3EcR3IkSQJCQ1YBADIAAA"
    "IA"
    "MBTFUSTHcixJszTLszxN9EzPFWVTN3XVBkJDVgEAgAAAAgAAAAAAcDzHczzHkzzJszzHczzJkzRN0zRN0zRN0zRN0zRN0z"
    "RN"
    "0zRN0zRN0zRN0zRN0zRN0zRN0zRN0zRN0zQgNGQlAAAEAIAgx7SDJAmEoILkGcQcxKQZhaCC5DoGJcXkIaegYuQ5yZhB5I"
    "LS"
    "RaYiCA1ZEQBEAQAAxiDGEHPIOSelkxQ556R0UhoIoaWOUmeptFpizCiV2lKtDYSOUkgto1RiLa121EqtJbYCAAACHAAAAi"
    "yE"
    "QkNWBABRAACEMUgppBRijDnIHESMMegYZIYxBiFzTkHHHIVUKgcddVBSwxhzjkGooINUOkeVg1BSR50AAIAABwCAAAuh0J"
    "AV"
    "AUCcAIBBkjTN0jTPszTP8zxRVFVPFFXVEj3T9ExTVT3TVFVTNWVXVE1ZtjzRND3TVFXPNFVVNFXZNU3VdT1VtWXTVXVZdF"
    "Xd"
    "dm3Zt11ZFm5PVWVbVF1bN1VX1lVZtn1Xtm1fEkVVFVXVdT1VdV3VdXXbdF1d91RVdk3XlWXTdW3ZdWVbV2VZ+"
    "DVVlWXTdW3Z"
    "dF3ZdmVXt1VZ1m3RdX1dlWXhN2XZ92Vb131Zt5VhdF3bV2VZ901ZFn7ZloXd1XVfmERRVT1VlV1RVV3XdF1bV13XtjXVlF"
    "3T"
    "dW3ZVF1ZVmVZ911X1nVNVWXZlGXbNl1XllVZ9nVXlnVbdF1dN2VZ+"
    "FVX1nVXt41jtm1fGF1X901Z1n1VlnVf1nVhmHXb1zVV"
    "1X1Tdn3hdGVd2H3fGGZdF47PdX1flW3hWGXZ+HXhF5Zb14Xfc11fV23ZGFbZNobd941h9n3jWHXbGGZbN7q6Thh+"
    "YThu3ziq"
    "ti10dVtYXt026sZPuI3fqKmqr5uua/ymLPu6rNvCcPu+cnyu6/uqLBu/KtvCb+u6cuy+T/"
    "lc1xdWWRaG1ZaFYdZ1YdmFYana"
    "ujK8um8cr60rw+0Ljd9XhqptG8ur28Iw+"
    "7bw28JvHLuxMwYAAAw4AAAEmFAGCg1ZEQDECQBYJMnzLMsSRcuyRFE0RVUVRVFV"
    "LU0zTU3zTFPTPNM0TVN1RdNUXUvTTFPzNNPUPM00TdV0VdM0ZVM0Tdc1VdN2RVWVZdWVZVl1XV0WTdOVRdV0ZdNUXVl1XV"
    "dW"
    "XVeWJU0zTc3zTFPzPNM0VdOVTVN1XcvzVFPzRNP1RFFVVVNVXVNVZVfzPFP1RE81PVFUVdM1ZdVUVVk2VdOWTVOVZdNVbd"
    "lV"
    "ZVeWXdm2TVWVZVM1Xdl0Xdd2Xdd2XdkVdknTTFPzPNPUPE81TVN1XVNVXdnyPNX0RFFVNU80VVVVXdc0VVe2PM9UPVFUVU"
    "3U"
    "VNN0XVlWVVNWRdW0ZVVVddk0VVl2Zdm2XdV1ZVNVXdlUXVk2VVN2XVe2ubIqq55pyrKpqrZsqqrsyrZt667r6raomrJrmq"
    "ps"
    "q6qqu7Jr674sy7Ysqqrrmq4qy6aqyrYsy7ouy7awq65r26bqyrory3RZtV3f9m266rq2r8qur7uybOuu7eqybtu+"
    "75mmLJuq"
    "KdumqsqyLLu2bcuyL4ym6dqmq9qyqbqy7bqursuybNuiacqyqbqubaqmLMuybPuyLNu26sq67Nqy7buuLNuybQu77Aqzr7"
    "qy"
    "rbuybQurq9q27Ns+"
    "W1d1VQAAwIADAECACWWg0JCVAEAUAABgDGOMQWiUcs45CI1SzjkHIXMOQgipZM5BCKGkzDkIpaSUOQeh"
    "lJRCCKWk1FoIoZSUWisAAKDAAQAgwAZNicUBCg1ZCQCkAgAYHEfTTNN1ZdkYFssSRVWVZds2hsWyRFFVZdm2hWMTRVWVZd"
    "vW"
    "dTRRVFVZtm3dV45TVWXZtn1dODJVVZZtW9d9I1WWbVvXhaGSKsu2beu+UUm2bV03huOoJNu27vu+"
    "cSzxhaGwLJXwlV84KoEA"
    "APAEBwCgAhtWRzgpGgssNGQlAJABAAAYpJRRSimjlFJKKcaUUowJAAAYcAAACDChDBQasiIAiAIAAJxzzjnnnHPOOeecc8"
    "45"
    "55xzzjnnGGOMMcYYY4wxxhhjjDHGGGOMMcYYY4wxxhhjjDHGBADsRDgA7ERYCIWGrAQAwgEAAIQUgpJSKaWUEjnnpJRSSi"
    "ml"
    "lMhBCKWUUkoppUTSSSmllFJKKaVxUEoppZRSSimhlFJKKaWUUkoJpZRSSimllFJKKaWUUkoppZRSSimllFJKKaWUUkoppZ"
    "RS"
    "SimllFJKKaWUUkoppZRSSimllFJKKaWUUkoppZRSSimllFJKKaWUUkoppZRSSimllFJKAQAmDw4AUAk2zrCSdFY4GlxoyE"
    "oA"
    "IDcAAFCKOcYklJBKSCWEEErlGITOSQkptVZCCq2ECjponaOQUkutlZRKSZmEEEIooYRSWikltVIyCKGEUEoIIaVSSgmhZV"
    "BC"
    "CiWUlFJJLbRUSskghFBaCamV1FoKJZWUQSmphJJSKq21lEpKrYPSUimttdZKSiGVllIHpaSWUimltRZKa621TlIpLaTWUm"
    "ut"
    "lVZKKZ2llEpJrbWWWmsppVZCKa200lopJbXWUmstldRaS62l1lJrraXWSiklpZZaa621lloqKbWUQimllZJCaqml1koqLY"
    "TQ"
    "UkmllVZaaymllEooJZWUWiqptZZSaKWF0kpJJaWWSioppdRSKqGUElIqoZXUUmuppZZKKi211FIrqZSWSkqpFAAAdOAAAB"
    "Bg"
    "RKWF2GnGlUfgiEKGCSgAABAEABiIkJlAoAAKDGQAwAFCghQAUFhgKF3oghAiSBdBFg9cOHHjiRtO6NAGABiIkJkAoRgiJG"
    "QD"
    "wARFhXQAsLjAKF3oghAiSBdBFg9cOHHjiRtO6NACAQAAAAAAAgAfAAAHBhAR0VyGxgZHh8cHSIgIAAAAAAAAAAAAAACAT2"
    "dn"
    "UwAEiBUAAAAAAAABAAAAAgAAAIIwylwMU0pLUEZKSUhJS1FEbrPC3msDZ3DmEnMPAdmVgGgLq2Jv/e++91u/"
    "NeekmNre3t6e"
    "hmmYzn6jAJjTcP+7GAAA8d8hAPxXjQLsb6UA5FP1AsAPUQdwyr4OwCoAPkoAWAV6vWm+"
    "lWYH79fEuniqCQAAJMosAWAPEwsB"
    "gAAAAMGzJgAQZMtAmT7l5GIAeAIAwB8BYL17ASxtNWoArMMBACvz6wHcZgBYVTrAdnrDaXW7as7g5SNLFLwA+"
    "t0vAADQoIwE"
    "gJ2m2ZB5K83UnueAIgpMnowcAID8AgDAvjMoNwCgW6M1cJa6CGCDca67JwDqG0TADSZAPXrBZXWD9la0foO8BAWrCQAADG"
    "We"
    "ADCifW4IQAZIyQyoM5mrBwCCokWLEHaaKQrwEQA/JAF6dQIA2PcQAACilAkAsO/uuu0IsEZTwG0/CrDdfr2tujp4I2R/"
    "g+iS"
    "wnkA/e0LoMwTAAZ1MCXl/VHmmwSkMwEAsGAvWcD/AsA3V1sA6bYJEag/uTGAlSFvqQDGKQDbC2CuAHrDaXGDbs5o/"
    "QaxFKyG"
    "AJQ5AJjCXmkBSABTCQDSsjhTGablBeeaA0ACvpH4SAoAbDkB7A8CgHwaAgCglWcAvK+"
    "81QA2B8D2FYCNdr1Jcatuzpr9mC6h"
    "cC6APvsQAAAMZR4AMEVbxSZlezPc1gwAgCqmDQDgfwUAEOUEcAcBAGCf6wCAuWwW4K+"
    "47QawKAEaTwBsCHrDaXGras5q5dUZ"
    "BKshAGUeADDRTKwFUOoCji4DAGHRbIkLeEF0AA3w/4EtAIC6nBwmAGBulQCAVpoagD6+dQ3AUgCsUgPYAXbDSXGjbs5q/"
    "QQ1"
    "C1ZDAMoIANjCqiiAloGSBQBIo9pBqnzGLVEACbD3JeAQALwGCLBrNQDaOwIAbCYB3tdy2wDA79kGuJUOMAF6vWl1g2rOkP"
    "0E"
    "nTFzAfS3DwcAwFBmAQBb2JnBzOQpme4NwAwJVBvqWQAAiOoEgFcEuGUB2I9iRACAleVoAPYrvwVgc0vA9VGA9QF6u2lxq2"
    "p2"
    "8PLKEoqnmgAAQIsyCwDYo8FsABIAYQZMFio+ACCjSBCUpfmWzQOALAcAgP4+RwDsX9wFABaNi+qA8yxKAHZL+"
    "ZEEWGoBFA8i"
    "wD5eua64F3Mciuu28DCsS6+BMMJgWund/"
    "v27fPtxi0qAwYbBx8GQgNn6eYDbTwE+GAF2pQBzEABuH8AGuasB3KoD2CMA1g==";

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

}  // namespace

std::string OggToneFile() {
    std::string bytes;
    uint32_t bits = 0;
    int count = 0;
    for (const char* c = kOggToneBase64; *c; ++c) {
        const int value = Base64Value(*c);
        if (value < 0)
            continue;
        bits = (bits << 6) | static_cast<uint32_t>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes.push_back(static_cast<char>((bits >> count) & 0xFF));
        }
    }
    return bytes;
}
