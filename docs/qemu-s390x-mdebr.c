/* Does an s390x emulator compute MDEBR right? Debian 12's qemu-s390x 7.2 does
   not, Debian 13's 10.0 does: README, "The same shot on every machine".

   MDEBR R1,R2 (MULTIPLY, short BFP operands, long BFP result) multiplies the
   short first operand, bits 0-31 of R1, by the short second operand and puts
   the long product in R1. Two 24-bit significands multiply into at most 48
   bits, so the product is exact: 3 x 5 gives exactly 15.

     apt-get install binutils-s390x-linux-gnu libgcc-12-dev-s390x-cross libc6-dev-s390x-cross
     clang --target=s390x-linux-gnu -O2 -static docs/qemu-s390x-mdebr.c -o mdebr
     qemu-s390x ./mdebr

   Prints each product and exits 1 if one is wrong. LDEBR, then MDBR, computes
   the same product from both operands widened first. */
#include <stdio.h>

static double Mdebr(float a, float b)
{
    double r;
    __asm__("ler %0,%1\n\tmdebr %0,%2" : "=&f"(r) : "f"(a), "f"(b));
    return r;
}

static double LdebrMdbr(float a, float b)
{
    double r, t;
    __asm__("ldebr %0,%2\n\tldebr %1,%3\n\tmdbr %0,%1" : "=&f"(r), "=&f"(t) : "f"(a), "f"(b));
    return r;
}

int main(void)
{
    static const struct { float a, b; double product; } cases[] = {
        {-10.0f, -10.0f, 100.0}, {3.0f, 5.0f, 15.0}, {1.5f, 2.0f, 3.0}, {-7.25f, 4.0f, -29.0},
    };
    int wrong = 0;
    for (unsigned i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const double m = Mdebr(cases[i].a, cases[i].b), l = LdebrMdbr(cases[i].a, cases[i].b);
        printf("%g x %g = %g: MDEBR %.17g, LDEBR+MDBR %.17g\n", cases[i].a, cases[i].b, cases[i].product, m, l);
        wrong |= m != cases[i].product || l != cases[i].product;
    }
    return wrong;
}
