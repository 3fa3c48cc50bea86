/* The floor of the data benchmark: memory-maps a DBF table and sums one
 * numeric field over the live records, with nothing in between.
 *   dbffloor TABLE.dbf FIELD */
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: dbffloor TABLE.dbf FIELD\n");
        return 1;
    }
    struct timespec t0, t1;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    int fd = open(argv[1], O_RDONLY);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0 || st.st_size < 32) {
        fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const unsigned char* p = mmap(NULL, (size_t)st.st_size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (p == MAP_FAILED)
        return 1;
    uint32_t count = p[4] | p[5] << 8 | p[6] << 16 | (uint32_t)p[7] << 24;
    uint32_t header = p[8] | p[9] << 8, length = p[10] | p[11] << 8;
    int offset = 1, width = -1;
    for (uint32_t at = 32; at + 32 <= header && p[at] != 0x0D; at += 32) {
        char name[12] = {0};
        memcpy(name, p + at, 11);
        if (strcmp(name, argv[2]) == 0) {
            width = p[at + 16];
            break;
        }
        offset += p[at + 16];
    }
    if (width < 0 || (uint64_t)header + (uint64_t)count * length > (uint64_t)st.st_size) {
        fprintf(stderr, "no field %s, or a short file\n", argv[2]);
        return 1;
    }
    double sum = 0;
    uint32_t live = 0;
    for (uint32_t r = 0; r < count; ++r) {
        const unsigned char* rec = p + header + (size_t)r * length;
        if (rec[0] == '*')
            continue;
        ++live;
        char cell[64];
        memcpy(cell, rec + offset, (size_t)width);
        cell[width] = 0;
        sum += strtod(cell, NULL);
    }
    clock_gettime(CLOCK_MONOTONIC, &t1);
    printf("floor: %u live records, sum %.2f, %.3f s\n", live, sum,
           (double)(t1.tv_sec - t0.tv_sec) + (double)(t1.tv_nsec - t0.tv_nsec) / 1e9);
    return 0;
}
