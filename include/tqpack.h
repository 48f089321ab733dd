/*
 * tqpack.h - packs data into a deflate-compressed container and unpacks it.
 *
 * Container (little-endian): 0x1F 0x8C, 1, 0, uncompressed length (4 bytes),
 * raw deflate data, CRC-32 of the uncompressed data (4 bytes).
 * Unpacking data that is not a container copies it unchanged.
 *
 * Levels 1 to 9; 0 or anything above 9 means 6. Streams are used through
 * their file descriptors, bypassing the stream's own buffer. Result buffers
 * are allocated with malloc and released by the caller with free; they are
 * stored whatever the result code, once they exist.
 */
#ifndef TQPACK_H
#define TQPACK_H

#include <stdint.h>
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

#define TQPACK_OK 0
#define TQPACK_ERR_READ 3001       /* reading the input failed (errno set) */
#define TQPACK_ERR_EOF 3002        /* the input ended early */
#define TQPACK_ERR_WRITE 3003      /* the output took fewer bytes than asked */
#define TQPACK_ERR_CRC 3004        /* trailer CRC differs from the unpacked data's */
#define TQPACK_ERR_LENGTH 3005     /* unpacked length differs from the header's */
#define TQPACK_ERR_DATA 3006       /* the deflate data is invalid */
#define TQPACK_ERR_MEMORY 3007     /* out of memory */
#define TQPACK_ERR_ARGUMENT 3008   /* missing result pointers or input pointer */
#define TQPACK_ERR_SEEK 3009       /* positioning or sizing a descriptor failed */

int32_t PackFileToFile(uint32_t level, FILE* in, FILE* out);
int32_t UnpackFileToFile(FILE* in, FILE* out);
int32_t PackBufferToBuffer(uint32_t level, const void* in, uint32_t inLength, unsigned char** result,
                           uint32_t* resultLength);
int32_t UnpackBufferToBuffer(const void* in, uint32_t inLength, unsigned char** result,
                             uint32_t* resultLength);
int32_t PackFileToBuffer(uint32_t level, FILE* in, unsigned char** result, uint32_t* resultLength);
int32_t UnpackFileToBuffer(FILE* in, unsigned char** result, uint32_t* resultLength);
int32_t PackBufferToFile(uint32_t level, const void* in, uint32_t inLength, FILE* out);
int32_t UnpackBufferToFile(const void* in, uint32_t inLength, FILE* out);

#ifdef __cplusplus
}
#endif

#endif /* TQPACK_H */
