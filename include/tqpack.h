/**
 * @file tqpack.h
 * @brief tqpack: packs data into a deflate-compressed container and unpacks
 * it again, between memory buffers and files.
 *
 * @defgroup tqpack tqpack: the compressed container
 * @brief Packing data into a deflate-compressed container and unpacking it,
 * between buffers and files.
 *
 * Container (little-endian): 0x1F 0x8C, 1, 0, uncompressed length (4 bytes),
 * raw deflate data (RFC 1951), CRC-32 of the uncompressed data (4 bytes).
 * Unpacking data that is not a container (shorter than 8 bytes, or not
 * starting with 0x1F 0x8C) copies it unchanged and succeeds.
 *
 * Levels 1 to 9; 0 or anything above 9 means 6. Streams are used through
 * their file descriptors, bypassing the stream's own buffer: flush an output
 * stream before handing it over, and do not mix the stream's buffered reads
 * with these calls. Result buffers are allocated with malloc and released by
 * the caller with free; they are stored whatever the result code, once they
 * exist, so release a non-NULL result also after a failure. There is no
 * shared state: any number of threads may call at once.
 */
#ifndef TQPACK_H
#define TQPACK_H

#include <stdint.h>
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

/**
 * @addtogroup tqpack
 * @{
 */

/** @name Result codes
 *  @{ */
#define TQPACK_OK 0                /**< success */
#define TQPACK_ERR_READ 3001       /**< reading the input failed (errno set) */
#define TQPACK_ERR_EOF 3002        /**< the input ended early */
#define TQPACK_ERR_WRITE 3003      /**< the output took fewer bytes than asked */
#define TQPACK_ERR_CRC 3004        /**< trailer CRC differs from the unpacked data's */
#define TQPACK_ERR_LENGTH 3005     /**< unpacked length differs from the header's */
#define TQPACK_ERR_DATA 3006       /**< the deflate data is invalid */
#define TQPACK_ERR_MEMORY 3007     /**< out of memory */
#define TQPACK_ERR_ARGUMENT 3008   /**< missing result pointers or input pointer */
#define TQPACK_ERR_SEEK 3009       /**< positioning or sizing a descriptor failed */
/** @} */

/**
 * Packs a file into a container file.
 *
 * @param level  1 (fastest) to 9 (smallest); 0 or above 9 means 6.
 * @param in     the input stream; packing starts at its descriptor's current
 *        position and takes the rest of the file (at most 4 GiB less one
 *        byte; a longer rest gives #TQPACK_ERR_SEEK).
 * @param out    the output stream; positioned at its start and written from
 *        there.
 * @return #TQPACK_OK, or #TQPACK_ERR_ARGUMENT, #TQPACK_ERR_MEMORY,
 *         #TQPACK_ERR_SEEK, #TQPACK_ERR_READ, #TQPACK_ERR_EOF or
 *         #TQPACK_ERR_WRITE.
 */
int32_t PackFileToFile(uint32_t level, FILE* in, FILE* out);

/**
 * Unpacks a container file into a file; a file that is not a container is
 * copied unchanged.
 *
 * @param in     the input stream; read from its start.
 * @param out    the output stream; written at its descriptor's current
 *        position.
 * @return #TQPACK_OK, or #TQPACK_ERR_ARGUMENT, #TQPACK_ERR_MEMORY,
 *         #TQPACK_ERR_SEEK, #TQPACK_ERR_READ, #TQPACK_ERR_EOF, #TQPACK_ERR_DATA,
 *         #TQPACK_ERR_CRC, #TQPACK_ERR_LENGTH or #TQPACK_ERR_WRITE.
 */
int32_t UnpackFileToFile(FILE* in, FILE* out);

/**
 * Packs bytes in memory into a container in memory.
 *
 * @param level    1 (fastest) to 9 (smallest); 0 or above 9 means 6.
 * @param in       the input bytes; may be NULL when @p inLength is 0.
 * @param inLength the number of input bytes.
 * @param[out] result       receives a malloc block with the output; the
 *        caller frees it, also after a failure.
 * @param[out] resultLength receives the number of output bytes.
 * @return #TQPACK_OK, or #TQPACK_ERR_ARGUMENT or #TQPACK_ERR_MEMORY.
 */
int32_t PackBufferToBuffer(uint32_t level, const void* in, uint32_t inLength, unsigned char** result,
                           uint32_t* resultLength);

/**
 * Unpacks a container in memory into memory; bytes that are not a container
 * are copied unchanged.
 *
 * @param in       the input bytes (not NULL).
 * @param inLength the number of input bytes.
 * @param[out] result       receives a malloc block with the unpacked bytes
 *        followed by a zero byte (so unpacked text is terminated); the caller
 *        frees it, also after a failure.
 * @param[out] resultLength receives the number of unpacked bytes.
 * @return #TQPACK_OK, or #TQPACK_ERR_ARGUMENT, #TQPACK_ERR_MEMORY,
 *         #TQPACK_ERR_EOF, #TQPACK_ERR_DATA, #TQPACK_ERR_CRC or
 *         #TQPACK_ERR_LENGTH.
 */
int32_t UnpackBufferToBuffer(const void* in, uint32_t inLength, unsigned char** result,
                             uint32_t* resultLength);

/**
 * Packs a file into a container in memory.
 *
 * @param level  1 (fastest) to 9 (smallest); 0 or above 9 means 6.
 * @param in     the input stream; packing starts at its descriptor's current
 *        position and takes the rest of the file (at most 4 GiB less one
 *        byte; a longer rest gives #TQPACK_ERR_SEEK).
 * @param[out] result       receives a malloc block with the output; the
 *        caller frees it, also after a failure.
 * @param[out] resultLength receives the number of output bytes.
 * @return #TQPACK_OK, or #TQPACK_ERR_ARGUMENT, #TQPACK_ERR_MEMORY,
 *         #TQPACK_ERR_SEEK, #TQPACK_ERR_READ or #TQPACK_ERR_EOF.
 */
int32_t PackFileToBuffer(uint32_t level, FILE* in, unsigned char** result, uint32_t* resultLength);

/**
 * Unpacks a container file into memory; a file that is not a container is
 * copied unchanged.
 *
 * @param in     the input stream; read from its start.
 * @param[out] result       receives a malloc block with the unpacked bytes
 *        followed by a zero byte (so unpacked text is terminated); the caller
 *        frees it, also after a failure.
 * @param[out] resultLength receives the number of unpacked bytes.
 * @return #TQPACK_OK, or #TQPACK_ERR_ARGUMENT, #TQPACK_ERR_MEMORY,
 *         #TQPACK_ERR_SEEK, #TQPACK_ERR_READ, #TQPACK_ERR_EOF, #TQPACK_ERR_DATA,
 *         #TQPACK_ERR_CRC or #TQPACK_ERR_LENGTH.
 */
int32_t UnpackFileToBuffer(FILE* in, unsigned char** result, uint32_t* resultLength);

/**
 * Packs bytes in memory into a container file.
 *
 * @param level    1 (fastest) to 9 (smallest); 0 or above 9 means 6.
 * @param in       the input bytes; may be NULL when @p inLength is 0.
 * @param inLength the number of input bytes.
 * @param out      the output stream; positioned at its start and written from
 *        there.
 * @return #TQPACK_OK, or #TQPACK_ERR_ARGUMENT, #TQPACK_ERR_MEMORY,
 *         #TQPACK_ERR_SEEK or #TQPACK_ERR_WRITE.
 */
int32_t PackBufferToFile(uint32_t level, const void* in, uint32_t inLength, FILE* out);

/**
 * Unpacks a container in memory into a file; bytes that are not a container
 * are copied unchanged.
 *
 * @param in       the input bytes (not NULL).
 * @param inLength the number of input bytes.
 * @param out      the output stream; written at its descriptor's current
 *        position.
 * @return #TQPACK_OK, or #TQPACK_ERR_ARGUMENT, #TQPACK_ERR_MEMORY,
 *         #TQPACK_ERR_EOF, #TQPACK_ERR_DATA, #TQPACK_ERR_CRC, #TQPACK_ERR_LENGTH
 *         or #TQPACK_ERR_WRITE.
 */
int32_t UnpackBufferToFile(const void* in, uint32_t inLength, FILE* out);

/** @} */

#ifdef __cplusplus
}
#endif

#endif /* TQPACK_H */
